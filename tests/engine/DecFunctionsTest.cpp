#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/DecFunctions.h"

namespace {

struct ConversionRow {
    double (*convert)(double);
    const char* name;
    double v;
    double expected;
};

// The product is rounded before the quotient: v * 180 / pi, never
// v * (180 / pi). These values come out one unit apart the other way.
TEST(DecFunctions, AngleConversionsMultiplyBeforeDividing)
{
    const double pi = 3.141592653589793;
    const ConversionRow rows[] = {
        {RadToDeg, "RadToDeg", 0.1, 5.729577951308232}, {RadToDeg, "RadToDeg", 30.0, 1718.8733853924698},
        {RadToDeg, "RadToDeg", pi, 180.0}, {RadToGrad, "RadToGrad", 7.0, 445.63384065730696},
        {RadToGrad, "RadToGrad", 100.0, 6366.197723675814}, {RadToGrad, "RadToGrad", pi, 200.0},
        {DegToRad, "DegToRad", 3.0, 0.05235987755982988}, {DegToRad, "DegToRad", 1.5, 0.02617993877991494},
        {DegToRad, "DegToRad", 180.0, pi}, {GradToRad, "GradToRad", 3.0, 0.047123889803846894},
        {GradToRad, "GradToRad", 100.0, 1.5707963267948966}, {GradToRad, "GradToRad", 200.0, pi},
    };
    for (const ConversionRow& row : rows) {
        SCOPED_TRACE(std::string(row.name) + "(" + std::to_string(row.v) + ")");
        EXPECT_EQ(row.convert(row.v), row.expected);
    }
    // logbase divides natural logarithms: log10 would give 3 exactly. Its
    // values outside the domain are in the engine's function table.
    EXPECT_EQ(LogBase(1000, 10), 2.9999999999999996);
}

// Every nonzero part signed; degrees beyond 32 bits written as "%.15g"
// would; NaN and the infinities show the degrees alone.
TEST(DecFunctions, DmsTexts)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double v;
        const wchar_t* text;
    } rows[] = {
        {1.0, L"57\u00B017\u203244.807\u2033"}, {3.141592653589793, L"180\u00B00\u20320.000\u2033"},
        {0.0, L"0\u00B00\u20320.000\u2033"}, {-1.0, L"-57\u00B0-17\u2032-44.806\u2033"},
        {-0.001, L"0\u00B0-3\u2032-26.264\u2033"},              // degrees of -0 still read 0
        {0.5235987755982988, L"29\u00B059\u203260.000\u2033"},  // just below 30 degrees
        {0.5, L"28\u00B038\u203252.404\u2033"}, {-0.5, L"-28\u00B0-38\u2032-52.403\u2033"},
        {2.0, L"114\u00B035\u203229.613\u2033"},
        {37480660.28161229, L"2147483647\u00B029\u203260.000\u2033"},    // INT32_MAX degrees
        {-37480660.29470226, L"-2147483648\u00B0-15\u20320.000\u2033"},  // INT32_MIN degrees
        {37480660.29906558, L"2147483648\u00B030\u20320.000\u2033"},
        {-37480660.31215555, L"-2147483649\u00B0-15\u20320.000\u2033"},
        {1e10, L"572957795130\u00B049\u203223.672\u2033"}, {-1e10, L"-572957795130\u00B0-49\u2032-23.671\u2033"},
        {1e14, L"5.72957795130823e+15\u00B00\u20320.000\u2033"}, {inf, L"inf\u00B0"}, {-inf, L"-inf\u00B0"},
        {std::copysign(nan, 1.0), L"nan\u00B0"}, {std::copysign(nan, -1.0), L"-nan\u00B0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.v);
        wchar_t text[DMS_CAPACITY];
        FormatDms(row.v, text, DMS_CAPACITY);
        EXPECT_STREQ(text, row.text);
    }
}

}  // namespace

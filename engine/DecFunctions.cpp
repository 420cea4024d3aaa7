#include "engine/DecFunctions.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "engine/TokenCodes.h"
#include "engine/math/ElementaryFunctions.h"
#include "util/TextFormat.h"

namespace {

double Inverse(double v) { return 1.0 / v; }
double RoundHalfUp(double v) { return std::floor(v + 0.5); }
double Square(double v) { return v * v; }
double Step(double v) { return v < 0 ? 0.0 : 1.0; }
// A tie or a NaN on either side gives the second argument.
double Max(double a, double b) { return a > b ? a : b; }
double Min(double a, double b) { return a < b ? a : b; }

// An invalid operation (acos(2), log(0-1), pow(0-8,0.5)) gives the
// processor's default NaN, the one that sqrt(0-1) and 0*inf give: C libraries
// disagree on the sign of the NaN they return, and the answer would read nan
// on one platform and -nan on another. A NaN argument passes through.
double Checked(double result, double a, double b = 0.0)
{
    if (!std::isnan(result)) return result;
    if (std::isnan(a)) return a;
    if (std::isnan(b)) return b;
    return std::bit_cast<double>(0xFFF8000000000000ULL);
}

double Acos(double v) { return Checked(ArcCosine(v), v); }
double Asin(double v) { return Checked(ArcSine(v), v); }
double Atan(double v) { return Checked(ArcTangent(v), v); }
double Ceil(double v) { return std::ceil(v); }
double Cos(double v) { return Checked(Cosine(v), v); }
double Exp(double v) { return Checked(Exponential(v), v); }
double Floor(double v) { return std::floor(v); }
double Log(double v) { return Checked(NaturalLog(v), v); }
double Log10(double v) { return Checked(CommonLog(v), v); }
double Sin(double v) { return Checked(Sine(v), v); }
double Sqrt(double v) { return Checked(std::sqrt(v), v); }
double Tan(double v) { return Checked(Tangent(v), v); }
double Hypot(double a, double b) { return Checked(Hypotenuse(a, b), a, b); }
double Pow(double a, double b) { return Checked(Power(a, b), a, b); }

bool FitsInt32(double whole)
{
    return whole >= -2147483648.0 && whole <= 2147483647.0;
}

}  // namespace

// Each conversion multiplies first and divides the rounded product.
double RadToDeg(double v) { return v * 180 / DEC_PI; }
double RadToGrad(double v) { return v * 200 / DEC_PI; }
double DegToRad(double v) { return v * DEC_PI / 180; }
double GradToRad(double v) { return v * DEC_PI / 200; }
double LogBase(double a, double b) { return Checked(Log(a) / Log(b), a, b); }

// Degrees and minutes are the truncated whole parts, the seconds keep three
// decimals; 0.00049 is added before rounding. An angle that is not a number
// or infinite shows as its degrees alone (nan°, inf°), and degrees beyond
// the 32-bit range are written in the %.15g form.
void FormatDms(double v, wchar_t* text, size_t capacity)
{
    const double degrees = RadToDeg(v);
    if (!std::isfinite(degrees)) {
        FormatText(text, capacity, L"%.15g°", degrees);
        return;
    }
    double wholeDegrees;
    const double f1 = std::modf(degrees, &wholeDegrees);
    double wholeMinutes;
    const double f2 = std::modf(f1 * 60, &wholeMinutes);
    const double seconds = f2 * 60 + 0.00049;
    const int minutes = static_cast<int>(wholeMinutes);  // |minutes| < 60
    if (FitsInt32(wholeDegrees)) {
        FormatText(text, capacity, L"%d°%d′%.3f″", static_cast<int>(wholeDegrees), minutes, seconds);
    } else {
        FormatText(text, capacity, L"%.15g°%d′%.3f″", wholeDegrees, minutes, seconds);
    }
}

const DecFunction DEC_FUNCTIONS[] = {
    {DEC_ACOS, L"acos(", 1, Acos, nullptr},
    {DEC_ASIN, L"asin(", 1, Asin, nullptr},
    {DEC_ATAN, L"atan(", 1, Atan, nullptr},
    {DEC_CEIL, L"ceil(", 1, Ceil, nullptr},
    {DEC_COS, L"cos(", 1, Cos, nullptr},
    {DEC_DEG, L"deg(", 1, RadToDeg, nullptr},
    {DEC_DEG2RAD, L"deg2rad(", 1, DegToRad, nullptr},
    {DEC_DMS, L"dms(", 1, nullptr, nullptr},
    {DEC_EXP, L"exp(", 1, Exp, nullptr},
    {DEC_FLOOR, L"floor(", 1, Floor, nullptr},
    {DEC_GRAD, L"grad(", 1, RadToGrad, nullptr},
    {DEC_GRAD2RAD, L"grad2rad(", 1, GradToRad, nullptr},
    {DEC_HYPOT, L"hypot(", 2, nullptr, Hypot},
    {DEC_INV, L"inv(", 1, Inverse, nullptr},
    {DEC_LOG, L"log(", 1, Log, nullptr},
    {DEC_LOG10, L"log10(", 1, Log10, nullptr},
    {DEC_LOGBASE, L"logbase(", 2, nullptr, LogBase},
    {DEC_MAX, L"max(", 2, nullptr, Max},
    {DEC_MIN, L"min(", 2, nullptr, Min},
    {DEC_POW, L"pow(", 2, nullptr, Pow},
    {DEC_SIN, L"sin(", 1, Sin, nullptr},
    {DEC_SQRT, L"sqrt(", 1, Sqrt, nullptr},
    {DEC_ROUND, L"round(", 1, RoundHalfUp, nullptr},
    {DEC_SQUARE, L"square(", 1, Square, nullptr},
    {DEC_STEP, L"step(", 1, Step, nullptr},
    {DEC_TAN, L"tan(", 1, Tan, nullptr},
    {DEC_TO_X, L"TOx(", 1, nullptr, nullptr},
    {DEC_TO_Y, L"TOy(", 1, nullptr, nullptr},
    {DEC_TO_Z, L"TOz(", 1, nullptr, nullptr},
};
const size_t DEC_FUNCTION_COUNT = sizeof DEC_FUNCTIONS / sizeof DEC_FUNCTIONS[0];

namespace {

// The table's index of each code from DEC_ACOS to DEC_TO_Z, -1 for codes
// that name no function.
constexpr uint32_t FIRST_CODE = DEC_ACOS;
constexpr uint32_t CODE_SPAN = DEC_TO_Z - DEC_ACOS + 1;

struct CodeIndex {
    int index[CODE_SPAN];
};

const CodeIndex& IndexByCode()
{
    static const CodeIndex table = [] {
        CodeIndex byCode{};
        for (int& entry : byCode.index) entry = -1;
        for (size_t i = 0; i < DEC_FUNCTION_COUNT; ++i) {
            byCode.index[DEC_FUNCTIONS[i].code - FIRST_CODE] = static_cast<int>(i);
        }
        return byCode;
    }();
    return table;
}

}  // namespace

const DecFunction* FindDecFunction(uint32_t code)
{
    if (code < FIRST_CODE || code - FIRST_CODE >= CODE_SPAN) return nullptr;
    const int index = IndexByCode().index[code - FIRST_CODE];
    return index < 0 ? nullptr : &DEC_FUNCTIONS[index];
}

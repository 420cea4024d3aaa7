#include "engine/DecFunctions.h"

#include <cmath>
#include <cstdint>

#include "engine/TokenCodes.h"
#include "util/TextFormat.h"

namespace {

constexpr double PI = 3.141592653589793;

double Inverse(double v) { return 1.0 / v; }
double RoundHalfUp(double v) { return std::floor(v + 0.5); }
double Square(double v) { return v * v; }
double Step(double v) { return v < 0 ? 0.0 : 1.0; }
// A tie or a NaN on either side gives the second argument.
double Max(double a, double b) { return a > b ? a : b; }
double Min(double a, double b) { return a < b ? a : b; }

double Acos(double v) { return std::acos(v); }
double Asin(double v) { return std::asin(v); }
double Atan(double v) { return std::atan(v); }
double Ceil(double v) { return std::ceil(v); }
double Cos(double v) { return std::cos(v); }
double Exp(double v) { return std::exp(v); }
double Floor(double v) { return std::floor(v); }
double Log(double v) { return std::log(v); }
double Log10(double v) { return std::log10(v); }
double Sin(double v) { return std::sin(v); }
double Sqrt(double v) { return std::sqrt(v); }
double Tan(double v) { return std::tan(v); }
double Hypot(double a, double b) { return std::hypot(a, b); }
double Pow(double a, double b) { return std::pow(a, b); }

bool FitsInt32(double whole)
{
    return whole >= -2147483648.0 && whole <= 2147483647.0;
}

}  // namespace

// Each conversion multiplies first and divides the rounded product.
double RadToDeg(double v) { return v * 180 / PI; }
double RadToGrad(double v) { return v * 200 / PI; }
double DegToRad(double v) { return v * PI / 180; }
double GradToRad(double v) { return v * PI / 200; }
double LogBase(double a, double b) { return std::log(a) / std::log(b); }

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

const DecFunction* FindDecFunction(uint32_t code)
{
    for (const DecFunction& function : DEC_FUNCTIONS) {
        if (function.code == code) return &function;
    }
    return nullptr;
}

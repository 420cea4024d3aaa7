#pragma once
#include <cstddef>
#include <cstdint>

// The functions of Decimal mode. Angles are in radians throughout.

// The constants pi and e of a formula; every angle conversion uses this π.
constexpr double DEC_PI = 3.141592653589793;
constexpr double DEC_E = 2.718281828459045;

double RadToDeg(double v);
double RadToGrad(double v);
double DegToRad(double v);
double GradToRad(double v);
double LogBase(double a, double b);

// Units of the degrees-minutes-seconds text, terminator included.
constexpr size_t DMS_CAPACITY = 256;

// The angle v (radians) as degrees, minutes and seconds: 57°17′44.807″.
// Each part that is not zero carries the sign of a negative angle.
void FormatDms(double v, wchar_t* text, size_t capacity);

struct DecFunction {
    uint32_t code;
    const wchar_t* name;  // as written, with its "("
    int operands;
    double (*apply1)(double);          // one-operand arithmetic, or null
    double (*apply2)(double, double);  // two-operand arithmetic, or null
};

// Every function, by code. dms( and the stores have no arithmetic here:
// the evaluation writes their texts.
extern const DecFunction DEC_FUNCTIONS[];
extern const size_t DEC_FUNCTION_COUNT;

const DecFunction* FindDecFunction(uint32_t code);

#pragma once

// The elementary functions of Decimal mode, computed here instead of by the
// C library, whose last bits differ between glibc and MinGW (and between
// MinGW's 32-bit and 64-bit pow): correctly rounded, the double nearest the
// true value barring cases closer to a tie than about 2^-95, and the same
// bits on every build, from IEEE double additions, multiplications, square
// roots and divisions alone, in double-double where it matters. Infinities
// give NaN in the trigonometric functions; a NaN comes back as it is.

double Sine(double x);
double Cosine(double x);
double Tangent(double x);
double ArcSine(double x);     // NaN outside [-1, 1]
double ArcCosine(double x);   // NaN outside [-1, 1]
double ArcTangent(double x);

double Exponential(double x);
double NaturalLog(double x);
double CommonLog(double x);
double Power(double x, double y);
double Hypotenuse(double x, double y);

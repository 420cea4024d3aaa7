#pragma once

// The trigonometric functions, correctly rounded (the double nearest to the
// true value, barring cases closer to a tie than about 2^-95) and the same
// bits on every build: only IEEE double additions and multiplications,
// square roots and divisions, in double-double where it matters.
// Infinities give NaN; a NaN comes back as it is.
double Sine(double x);
double Cosine(double x);
double Tangent(double x);
double ArcSine(double x);     // NaN outside [-1, 1]
double ArcCosine(double x);   // NaN outside [-1, 1]
double ArcTangent(double x);

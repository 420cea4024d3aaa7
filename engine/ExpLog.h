#pragma once

// exp, log, log10, pow and hypot computed here, correctly rounded and the same
// on every platform, instead of by the C library, whose last bits differ
// between glibc and MinGW (and between MinGW's 32-bit and 64-bit pow).
double Exponential(double x);
double NaturalLog(double x);
double CommonLog(double x);
double Power(double x, double y);
double Hypotenuse(double x, double y);

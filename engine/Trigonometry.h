#pragma once

// sin, cos and tan with the argument reduced here rather than in the C
// library. MinGW's functions use the x87 instructions, whose internal π has
// only 66 bits: sin(pi) came out as 1.22460635382238e-16 instead of
// 1.22464679914735e-16. Reducing first keeps the answers right and the same
// on every platform.
double Sine(double x);
double Cosine(double x);
double Tangent(double x);

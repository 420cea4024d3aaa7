#pragma once
#include "engine/math/DoubleDouble.h"

// The tables of the exponential and the logarithm, computed with mpmath by
// tools/make_explog_tables.py (ExpLogTables.cpp; tools/make_math_tables.sh).

extern const DoubleDouble EXP2_COARSE[64];     // 2^(i/64), i = 0..63
extern const DoubleDouble EXP2_FINE[64];       // 2^(j/4096), j = 0..63
extern const double LOG_CENTRE[97];            // the double nearest 1/(1 + i/128), i = -32..64
extern const DoubleDouble LOG_OF_CENTRE[97];   // -log of each centre

#pragma once
#include <cstdint>

// Kinds of FormulaItem. 0 is a number in both modes.
constexpr uint32_t TOKEN_NUMBER = 0;

// Integer mode.
enum IntToken : uint32_t {
    INT_OPEN = 0x1001,
    INT_HEX = 0x1003,  // 0X(
    INT_TO_X = 0x1004,
    INT_TO_Y = 0x1005,
    INT_TO_Z = 0x1006,
    INT_NOT = 0x1007,  // ~
    INT_MUL = 0x1008,
    INT_DIV = 0x1009,
    INT_MOD = 0x100A,
    INT_ADD = 0x100B,
    INT_SUB = 0x100C,
    INT_SHL = 0x100D,
    INT_SHR = 0x100E,
    INT_AND = 0x100F,
    INT_OR = 0x1010,
    INT_XOR = 0x1011,
};

// Decimal mode.
enum DecToken : uint32_t {
    DEC_OPEN = 0x2001,
    DEC_ACOS = 0x2003,
    DEC_ASIN = 0x2004,
    DEC_ATAN = 0x2005,
    DEC_CEIL = 0x2006,
    DEC_COS = 0x2007,
    DEC_DEG = 0x2008,
    DEC_DEG2RAD = 0x2009,
    DEC_DMS = 0x200A,
    DEC_EXP = 0x200C,
    DEC_FLOOR = 0x200D,
    DEC_GRAD = 0x200E,
    DEC_GRAD2RAD = 0x200F,
    DEC_HYPOT = 0x2010,
    DEC_INV = 0x2011,
    DEC_LOG = 0x2012,
    DEC_LOG10 = 0x2013,
    DEC_LOGBASE = 0x2014,
    DEC_MAX = 0x2015,
    DEC_MIN = 0x2016,
    DEC_POW = 0x2017,
    DEC_SIN = 0x2018,
    DEC_SQRT = 0x2019,
    DEC_ROUND = 0x2020,
    DEC_SQUARE = 0x2021,
    DEC_STEP = 0x2022,
    DEC_TAN = 0x2023,
    DEC_TO_X = 0x2024,
    DEC_TO_Y = 0x2025,
    DEC_TO_Z = 0x2026,
    DEC_MUL = 0x2028,
    DEC_DIV = 0x2029,
    DEC_ADD = 0x202A,
    DEC_SUB = 0x202B,
};

#include "engine/math/TrigReduction.h"

#include <bit>
#include <cstdint>

#include "engine/math/TrigTables.h"

namespace {

// 2^k for -1022 <= k <= 1023.
double PowerOfTwo(int k) { return std::bit_cast<double>(static_cast<uint64_t>(1023 + k) << 52); }
}  // namespace

ReducedAngle ReduceHalfPi(double x)
{
    const bool negative = x < 0;
    const uint64_t bits = std::bit_cast<uint64_t>(x) & ~(1ULL << 63);
    const int e = static_cast<int>(bits >> 52) - 1075;  // |x| = m * 2^e
    const uint64_t m = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);

    // x * 2/pi mod 4 = m * B * 2^-254 mod 4, B the 256 bits of 2/pi from
    // bit e-1 after the point: earlier bits add multiples of 4, later ones
    // less than 2^-201. The table starts with 64 zero bits for small e.
    const int start = e - 2 + 64;
    const int word = start >> 5, shift = start & 31;
    uint32_t b[8];  // least significant first
    for (int j = 0; j < 8; ++j) {
        const uint32_t high = TWO_OVER_PI_WORDS[word + j], low = TWO_OVER_PI_WORDS[word + j + 1];
        b[7 - j] = shift == 0 ? high : (high << shift) | (low >> (32 - shift));
    }
    uint32_t p[10] = {};
    const uint32_t mParts[2] = {static_cast<uint32_t>(m), static_cast<uint32_t>(m >> 32)};
    for (int i = 0; i < 2; ++i) {
        uint64_t carry = 0;
        for (int k = 0; k < 8; ++k) {
            const uint64_t t = static_cast<uint64_t>(b[k]) * mParts[i] + p[k + i] + carry;
            p[k + i] = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        p[8 + i] = static_cast<uint32_t>(carry);
    }

    // Bits 254 and 255 are the quadrant, bits 0..253 the fraction; a
    // fraction of one half or more counts from the next quadrant down.
    int quadrant = static_cast<int>(p[7] >> 30);
    p[7] &= 0x3FFFFFFF;
    const bool fromAbove = (p[7] & 0x20000000) != 0;
    if (fromAbove) {
        uint64_t carry = 1;
        for (int k = 0; k < 8; ++k) {
            const uint64_t t = static_cast<uint64_t>(~p[k]) + carry;
            p[k] = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        p[7] &= 0x3FFFFFFF;
        quadrant += 1;
    }

    // Near a multiple of pi/2 the fraction is at least 2^-62, so its leading
    // word is among the top three and five words keep 129 bits or more.
    int top = 7;
    while (top > 5 && p[top] == 0) --top;
    DoubleDouble f = TwoSum(p[top] * PowerOfTwo(32 * top - 254), p[top - 1] * PowerOfTwo(32 * top - 286));
    for (int k = top - 2; k >= top - 4; --k) f = Add(f, p[k] * PowerOfTwo(32 * k - 254));
    DoubleDouble r = Mul(f, HALF_PI);
    if (fromAbove != negative) r = {-r.hi, -r.lo};
    if (negative) quadrant = -quadrant;
    return {r, quadrant & 3};
}

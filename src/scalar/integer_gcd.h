// The greatest common divisor behind the exported GCDs and the ratio arithmetic, inline for the
// exact ratio paths, where a call would cost as much as the arithmetic around it.
#pragma once

#include <cstdint>

#include "scalar/integer_bits.h"

/// Trailing zero bits of a non-zero x: the bare instruction, without the marker that Talp_
/// TrailingZeros needs to give 32 for 0.
inline int Talp_TrailingZerosOfNonZero(uint32_t x) {
#if TALP_HAVE_BIT_COUNT_BUILTINS
    return __builtin_ctz(x);
#else
    return Talp_TrailingZeros(x);
#endif
}

/// gcd(x, y) of two non-zero values by the binary method: the divisor Euclid finds, without a
/// division per step. Each step replaces the larger odd value by the odd part of the difference;
/// x - y and y - x have the same trailing zeros, so their count starts before the magnitude is
/// chosen, and the selects keep the random order off the branch predictor.
inline uint32_t Talp_NonZeroGCD(uint32_t x, uint32_t y) {
    const int shift = Talp_TrailingZerosOfNonZero(x | y);
    x >>= Talp_TrailingZerosOfNonZero(x);
    y >>= Talp_TrailingZerosOfNonZero(y);
    while (x != y) {
        const uint32_t diff = x - y;
        const int zeros = Talp_TrailingZerosOfNonZero(diff);
        const uint32_t magnitude = x > y ? diff : y - x;
        y = x < y ? x : y;
        x = magnitude >> zeros;
    }
    return x << shift;
}

/// gcd(x, y) with Euclid's ends: a zero y gives 1, so that a zero denominator never divides, and
/// a zero x gives y.
inline uint32_t Talp_GCD(uint32_t x, uint32_t y) {
    if (y == 0) return 1;
    if (x == 0) return y;
    return Talp_NonZeroGCD(x, y);
}

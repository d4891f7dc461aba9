// The greatest common divisor behind the exported GCDs and the ratio arithmetic, inline for the
// exact ratio paths, where a call would cost as much as the arithmetic around it.
#pragma once

#include <cstdint>

#include "scalar/integer_bits.h"

/// gcd(x, y) of two non-zero values by the binary method: the divisor Euclid finds, without a
/// division per step. Each step replaces the larger odd value by the odd part of the difference.
/// The trailing zeros of the wrapped 32-bit difference are those of the true one, so their count
/// starts at once, beside the magnitude; the minimum and the magnitude are a conditional move
/// and an absolute value, as the order of the two is random.
inline uint32_t Talp_NonZeroGCD(uint32_t x, uint32_t y) {
    const int shift = Talp_TrailingZerosOfNonZero(x | y);
    x >>= Talp_TrailingZerosOfNonZero(x);
    y >>= Talp_TrailingZerosOfNonZero(y);
    for (;;) {
        const int64_t diff = int64_t(x) - int64_t(y);
        if (diff == 0) break;
        const int zeros = Talp_TrailingZerosOfNonZero(uint32_t(diff));
        y = x < y ? x : y;
        x = uint32_t(diff < 0 ? -diff : diff) >> zeros;
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

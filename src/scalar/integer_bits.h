// Bit counts shared by the integer utilities and the fixed-point arithmetic: the nibble-table
// search is the reference; the hardware count is used where the compiler offers it.
#pragma once

#include <cstdint>

/// Leading and trailing zero bits of each 4-bit value.
inline constexpr uint8_t Talp_NibbleLeadingZeros[16] = {4, 3, 2, 2, 1, 1, 1, 1,
                                                        0, 0, 0, 0, 0, 0, 0, 0};
inline constexpr uint8_t Talp_NibbleTrailingZeros[16] = {4, 0, 1, 0, 2, 0, 1, 0,
                                                         3, 0, 1, 0, 2, 0, 1, 0};

// Searches by halving down to a nibble, then looks the nibble up.
inline int16_t Talp_LeadingZerosByNibbles(uint32_t x) {
    int16_t n = 0;
    if ((x & 0xFFFF0000u) == 0) {
        n += 16;
        x <<= 16;
    }
    if ((x & 0xFF000000u) == 0) {
        n += 8;
        x <<= 8;
    }
    if ((x & 0xF0000000u) == 0) {
        n += 4;
        x <<= 4;
    }
    return int16_t(n + Talp_NibbleLeadingZeros[x >> 28]);
}

inline int16_t Talp_TrailingZerosByNibbles(uint32_t x) {
    int16_t n = 0;
    if ((x & 0xFFFFu) == 0) {
        n += 16;
        x >>= 16;
    }
    if ((x & 0xFFu) == 0) {
        n += 8;
        x >>= 8;
    }
    if ((x & 0xFu) == 0) {
        n += 4;
        x >>= 4;
    }
    return int16_t(n + Talp_NibbleTrailingZeros[x & 0xFu]);
}

// The builtins are undefined for 0; a marker bit just outside the 32 bits gives 32 there instead,
// without a branch. TAL_FORCE_PORTABLE=1 takes the nibble search, so that it is tested too.
#if !(defined(TAL_FORCE_PORTABLE) && TAL_FORCE_PORTABLE) && \
    (defined(__GNUC__) || defined(__clang__))
#define TALP_HAVE_BIT_COUNT_BUILTINS 1
#else
#define TALP_HAVE_BIT_COUNT_BUILTINS 0
#endif

inline int16_t Talp_LeadingZeros(uint32_t x) {
#if TALP_HAVE_BIT_COUNT_BUILTINS
    return int16_t(__builtin_clzll((uint64_t(x) << 32) | 0x80000000u));
#else
    return Talp_LeadingZerosByNibbles(x);
#endif
}

inline int16_t Talp_TrailingZeros(uint32_t x) {
#if TALP_HAVE_BIT_COUNT_BUILTINS
    return int16_t(__builtin_ctzll(uint64_t(x) | (uint64_t(1) << 32)));
#else
    return Talp_TrailingZerosByNibbles(x);
#endif
}

/// Trailing zero bits of a non-zero x: the bare instruction, without the marker bit that the
/// general count needs to give 32 for 0.
inline int Talp_TrailingZerosOfNonZero(uint32_t x) {
#if TALP_HAVE_BIT_COUNT_BUILTINS
    return __builtin_ctz(x);
#else
    return Talp_TrailingZeros(x);
#endif
}

// |v| as unsigned, so that the magnitude of -2^31 is 2^31.
inline uint32_t Talp_Magnitude(int32_t v) {
    return v < 0 ? 0u - uint32_t(v) : uint32_t(v);
}

// Two's-complement reinterpretation; defined on every supported compiler.
inline int32_t Talp_Wrap(uint32_t v) {
    return int32_t(v);
}

/// \file
/// Integer and rounding utilities: bit counts, powers of two, overflow predictions, GCD/LCM and
/// rounding of doubles. None of them reports anything, and every Tal_Err result is 0.
#pragma once

#include <cstdint>

#include "tal/error.h"

/// Number of zero bits above the highest set bit of x; 32 for x = 0.
TAL_C_API int16_t Tal_LeadingZeros(uint32_t x);
/// Number of zero bits below the lowest set bit of x; 32 for x = 0.
TAL_C_API int16_t Tal_TrailingZeros(uint32_t x);
/// Smallest power of two >= x; 0 for x = 0 and for every x above 0x80000000 (no 32-bit answer).
TAL_C_API uint32_t Tal_RoundUpToPowerOf2(uint32_t x);
/// Highest set bit of x; 0 for x = 0.
TAL_C_API uint32_t Tal_RoundDownToPowerOf2(uint32_t x);
/// Bits needed to hold x (32 minus its leading zeros); 0 for x <= 0.
TAL_C_API int16_t Tal_BitsUsed(int32_t x);

/// True exactly when a + b does not fit in a signed 32-bit value.
TAL_C_API bool Tal_AddWouldOverflow(int32_t a, int32_t b);
/// Cautious: true for every a * b that does not fit in signed 32 bits, and for some that do
/// (0x10000 * 0x4000, 0 * -2^31); the magnitude of -2^31 counts as 2^31.
TAL_C_API bool Tal_MulWouldOverflow(int32_t a, int32_t b);
/// Cautious: true for every a * b that does not fit in unsigned 32 bits, and for some that do
/// (0x10000 * 0x8000).
TAL_C_API bool Tal_UMulWouldOverflow(uint32_t a, uint32_t b);

/// Stores the positive GCD of |a| and |b| in *out; gcd(a, 0) is 1 (so a zero denominator never
/// divides), gcd(0, b) is |b|; a magnitude of 2^31 stores 0x80000000.
TAL_C_API Tal_Err Tal_SignedGCD(int32_t a, int32_t b, int32_t* out);
/// Stores the GCD of a and b in *out; gcd(a, 0) is 1, gcd(0, b) is b.
TAL_C_API Tal_Err Tal_UnsignedGCD(uint32_t a, uint32_t b, uint32_t* out);
/// Stores (a * b) / gcd(a, b) in *out, signed like a * b (lcm(-4, 6) = -12); a zero argument
/// stores 0; a product beyond 32 bits wraps before the division.
TAL_C_API Tal_Err Tal_SignedLCM(int32_t a, int32_t b, int32_t* out);
/// Stores (a * b) / gcd(a, b) in *out; a zero argument stores 0; a product beyond 32 bits wraps
/// before the division.
TAL_C_API Tal_Err Tal_UnsignedLCM(uint32_t a, uint32_t b, uint32_t* out);

/// Nearest multiple of m > 0, halves away from zero (odd f(-x) = -f(x)); m <= 0 returns x; a
/// nearest multiple beyond the signed 32-bit range wraps modulo 2^32.
TAL_C_API int32_t Tal_RoundToNearestMult(int32_t x, int32_t m);
/// floor(d + 0.5) with the sum in double precision (2.5 -> 3, -2.5 -> -2, and
/// -0.49999999999999994 -> -1); NaN and any result outside signed 32 bits give 0x80000000.
TAL_C_API int32_t Tal_RoundDouble(double d);
/// Tal_RoundDouble clamped: d > 2147483646.5 gives 0x7FFFFFFF, d < -2147483647.5 and NaN give
/// 0x80000000.
TAL_C_API int32_t Tal_RoundDoubleSafe(double d);

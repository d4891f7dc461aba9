// Double-double arithmetic without fused multiply-add: exact sums and products of doubles
// (Knuth, Dekker) and the few compound steps the elementary functions need.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "elementary/simd.h"

// Keeps a rare path out of its caller, whose fast path then keeps its registers.
#if defined(_MSC_VER)
#define TALP_NOINLINE __declspec(noinline)
#else
#define TALP_NOINLINE __attribute__((noinline))
#endif
// Inlines a step into every caller, so that each keeps its values in registers.
#if defined(_MSC_VER)
#define TALP_INLINE __forceinline
#else
#define TALP_INLINE inline __attribute__((always_inline))
#endif

constexpr double Talp_Inf = std::numeric_limits<double>::infinity();

struct Talp_Dd {
    double hi, lo;
};

inline uint64_t Talp_Bits(double x) {
    uint64_t u;
    std::memcpy(&u, &x, sizeof u);
    return u;
}

inline double Talp_FromBits(uint64_t u) {
    double x;
    std::memcpy(&x, &u, sizeof x);
    return x;
}

// The sign bit cleared in the vector register: a round trip through an integer register
// would lengthen every function's chain.
inline double Talp_Abs(double x) {
    return std::fabs(x);
}

/// 2^e for -1022 <= e <= 1023.
inline double Talp_Pow2(int e) {
    return Talp_FromBits(uint64_t(e + 1023) << 52);
}

/// x * 2^e with a single rounding (only if the result is subnormal).
inline double Talp_ScaleB(double x, int e) {
    while (e > 1000) {
        x *= Talp_Pow2(1000);
        e -= 1000;
    }
    while (e < -1000) {
        // Stay normal while stepping down, so that only the last step rounds.
        if (e >= -1900) {
            x *= Talp_Pow2(e + 1000);
            return x * Talp_Pow2(-1000);
        }
        x *= Talp_Pow2(-1000);
        e += 1000;
    }
    return x * Talp_Pow2(e);
}

/// a + b = s + e exactly, |a| >= |b| or a == 0.
inline Talp_Dd Talp_FastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

/// a + b = s + e exactly.
inline Talp_Dd Talp_TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// 2^27 + 1: a times it, less its difference from a, keeps a's high 26 bits.
constexpr double Talp_SplitFactor = 134217729.0;

/// Splits a into two 26-bit halves; |a| < 2^996.
inline Talp_Dd Talp_Split(double a) {
    const double c = Talp_SplitFactor * a;
    const double h = c - (c - a);
    return {h, a - h};
}

/// a * b = p + e exactly (no overflow, no underflow of the error term).
inline Talp_Dd Talp_TwoProd(double a, double b) {
    const double p = a * b;
    const Talp_Dd x = Talp_Split(a), y = Talp_Split(b);
    const double e = ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
    return {p, e};
}

/// (a.hi + a.lo)(b.hi + b.lo), relative error below 2^-102.
inline Talp_Dd Talp_DdMul(Talp_Dd a, Talp_Dd b) {
    Talp_Dd p = Talp_TwoProd(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return Talp_FastTwoSum(p.hi, p.lo);
}

/// a * (b.hi + b.lo) for a double a, relative error below 2^-103.
inline Talp_Dd Talp_DdMulD(Talp_Dd b, double a) {
    Talp_Dd p = Talp_TwoProd(a, b.hi);
    p.lo += a * b.lo;
    return Talp_FastTwoSum(p.hi, p.lo);
}

/// a + b in double-double, relative error below 2^-103 when a and b have the same sign or the
/// sum does not cancel; exact cancellation of the high parts is exact.
inline Talp_Dd Talp_DdAdd(Talp_Dd a, Talp_Dd b) {
    const Talp_Dd s = Talp_TwoSum(a.hi, b.hi);
    const Talp_Dd t = Talp_TwoSum(a.lo, b.lo);
    const Talp_Dd u = Talp_FastTwoSum(s.hi, s.lo + t.hi);
    return Talp_FastTwoSum(u.hi, u.lo + t.lo);
}

/// a / b, relative error below 2^-100; the reciprocal for the correction is divided beside q.
inline Talp_Dd Talp_DdDiv(Talp_Dd a, Talp_Dd b) {
    const double q = a.hi / b.hi, inverse = 1 / b.hi;
    const Talp_Dd p = Talp_TwoProd(q, b.hi);
    const double r = (((a.hi - p.hi) - p.lo) + a.lo) - q * b.lo;
    return Talp_FastTwoSum(q, r * inverse);
}

/// sqrt(a) for a > 0, relative error below 2^-100.
inline Talp_Dd Talp_DdSqrt(Talp_Dd a) {
    const double s = std::sqrt(a.hi), half = 0.5 / s;
    const Talp_Dd p = Talp_TwoProd(s, s);
    const double r = ((a.hi - p.hi) - p.lo) + a.lo;
    return Talp_FastTwoSum(s, r * half);
}

/// The rounded value of v when every real within relErr * |v.hi| of v.hi + v.lo rounds alike;
/// otherwise false. relErr must exceed 2^-100 + 2^-53 |v.lo / v.hi| (so that it covers the
/// rounding of lo +- err); v need not be normalized.
inline bool Talp_RoundsSafely(Talp_Dd v, double relErr, double* out) {
    const double e = relErr * Talp_Abs(v.hi);
    const double up = v.hi + (v.lo + e);
    const double down = v.hi + (v.lo - e);
    if (up != down) return false;
    // Rounding is monotonic, so hi + lo lies between down and up: one addition after v, the
    // test beside it.
    *out = v.hi + v.lo;
    return true;
}

/// The high 26 bits of a, cut by a mask: a - result is exact (27 bits) and takes one step where
/// the split takes three dependent ones.
inline double Talp_HighBits(double a) {
#if TALP_HAVE_SSE2
    // In the vector register: a round trip through an integer register costs more than the split.
    const __m128d mask = _mm_castsi128_pd(_mm_set1_epi64x(~int64_t(0x7FFFFFF)));
    return _mm_cvtsd_f64(_mm_and_pd(_mm_set_sd(a), mask));
#else
    return Talp_FromBits(Talp_Bits(a) & ~uint64_t(0x7FFFFFF));
#endif
}

/// a as its high 26 bits and the exact rest (27 bits, the sign of a): a product of the high half
/// with a 26-bit factor, and of the rest with a 26-bit one, is exact.
inline Talp_Dd Talp_MaskSplit(double a) {
    const double h = Talp_HighBits(a);
    return {h, a - h};
}

/// a * b = p + e exactly for an a that arrives late (a quotient): a's halves by the mask (26 and
/// 27 bits) meet b's split halves (26 bits each, signed), so every partial product is exact, and
/// the split of b runs before a is known. Every partial sum fits in 53 bits: for a, b in [1, 2)
/// they are multiples of 2^-77 below 2^-24.
inline Talp_Dd Talp_TwoProdLate(double a, double b) {
    const double p = a * b;
    const Talp_Dd x = Talp_MaskSplit(a), y = Talp_Split(b);
    const double e = (((x.hi * y.hi - p) + x.lo * y.hi) + x.hi * y.lo) + x.lo * y.lo;
    return {p, e};
}

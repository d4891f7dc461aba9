// The slow path's arithmetic: signed fixed-point numbers of 32-bit limbs, one integer limb and
// 288 fraction bits, with truncating operations. Portable integer code only (32x32->64 products).
#pragma once

#include <cstdint>

constexpr int Talp_WideLimbs = 10;

/// Two's complement, most significant limb first; value = limbs / 2^(32 * (Talp_WideLimbs - 1)).
struct Talp_Wide {
    uint32_t limb[Talp_WideLimbs];
};

/// Exact for |x| < 2^31; bits below 2^-288 are dropped.
Talp_Wide Talp_WideFromDouble(double x);
Talp_Wide Talp_WideAdd(const Talp_Wide& a, const Talp_Wide& b);
Talp_Wide Talp_WideSub(const Talp_Wide& a, const Talp_Wide& b);
/// a * b truncated; the integer part of the product must fit in 31 bits.
Talp_Wide Talp_WideMul(const Talp_Wide& a, const Talp_Wide& b);
bool Talp_WideIsNegative(const Talp_Wide& a);
/// (hi, lo) nearest a to about 106 bits; (0, 0) for a == 0.
void Talp_WideToDd(const Talp_Wide& a, double* hi, double* lo);
/// a * 2^scale rounded to nearest (ties to even); a must be nonzero and the result normal.
double Talp_WideRound(const Talp_Wide& a, int scale);
/// sin(t) and cos(t) for |t| <= 1, absolute error below 2^-280.
void Talp_WideSinCos(const Talp_Wide& t, Talp_Wide* s, Talp_Wide* c);
/// sin and cos of n * pi/2 + r for |r| <= pi/4 + 2^-20.
void Talp_WideSinCosQuadrant(const Talp_Wide& r, unsigned n, Talp_Wide* s, Talp_Wide* c);
/// pi/2 to 288 bits.
const Talp_Wide& Talp_WideHalfPi();
/// Correctly rounded a / b for nonzero a, b with |a|, |b| >= 2^-200 and a normal quotient.
double Talp_WideDivide(const Talp_Wide& a, const Talp_Wide& b);
/// sqrt(a) for 2^-200 <= a < 4, relative error below 2^-200.
Talp_Wide Talp_WideSqrt(const Talp_Wide& a);

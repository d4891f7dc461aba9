// Steps shared by the elementary functions: argument reduction, the arctangent kernel and the
// slow paths.
#pragma once

#include "elementary/elementary_dd.h"
#include "elementary/elementary_wide.h"

// pi/2 = C1 + C2 + C3 + C4 + O(2^-160); C1..C3 carry 33 bits so that k * Ci is exact for k < 2^20
// (MPFR, each part the nearest of the remainder).
constexpr double Talp_HalfPiC1 = 0x1.921fb544p+0;
constexpr double Talp_HalfPiC2 = 0x1.0b4611a6p-34;
constexpr double Talp_HalfPiC3 = 0x1.3198a2ep-69;
constexpr double Talp_HalfPiC4 = 0x1.b839a252049c1p-104;
constexpr double Talp_TwoOverPi = 0x1.45f306dc9c883p-1;

/// Quadrant n (mod 4) and r = |x| - n * pi/2 with |r| <= pi/4 + 2^-30, to 2^-265 absolute, for a
/// finite x; exact Payne-Hanek reduction with 384 bits of 2/pi.
unsigned Talp_ReduceWide(double x, Talp_Wide* r);
/// The same as a double-double with relative error below 2^-100.
unsigned Talp_ReduceFast(double x, Talp_Dd* r);
/// atan(q) for 0 <= q <= 1 (q.hi >= 2^-70), relative error below 2^-70.
Talp_Dd Talp_AtanKernel(Talp_Dd q);
/// pi/2 and pi as double-doubles; the high parts are the rounded values.
extern const Talp_Dd Talp_HalfPi, Talp_Pi;
/// atan2(y, x) in [0, pi/2] for y, x > 0 (double-doubles) within 2^62 of each other and below
/// 2^996, relative error below 2^-70.
Talp_Dd Talp_FirstQuadrantAngle(Talp_Dd y, Talp_Dd x);
// a2 + a3 d + ... + a8 d^6 by Estrin's scheme, a2 added last: its one rounding of the sum's
// size is the polynomial's largest error. The polynomial is most of the call's latency.
inline double Talp_TaylorTail(const double* a, double d, double d2) {
    const double d4 = d2 * d2;
    return a[2] + ((d * a[3] + d2 * (a[4] + d * a[5])) + d4 * ((a[6] + d * a[7]) + d2 * a[8]));
}
// d^2 (a2 + a3 d + ... + a8 d^6), each power applied to its own pair: one level shallower than
// d^2 times the tail, and as many roundings on the leading a2 d^2.
inline double Talp_SquaredTaylorTail(const double* a, double d, double d2) {
    const double d4 = d2 * d2;
    return (d2 * (a[2] + d * a[3]) + d4 * (a[4] + d * a[5])) +
           (d4 * d2) * ((a[6] + d * a[7]) + d2 * a[8]);
}

/// f(c + d) for |d| <= 2^-9 from v = f(c) as a double-double and the Taylor coefficients of f at
/// c: a[0] (26 bits) + a[1] the first, a[2..8] the next ones; dl is a low part of d, below
/// ulp(d). d's halves come from a mask (a[0] times the 26-bit one is exact, and no larger than
/// a[0] d), so that the head's product does not wait for a three-step split. Relative error below
/// 2^-69 when |a_k| <= 4 and a2 d^2 stays under 2^-18 of f; the result is not renormalized (its low
/// part stays below 2^-17 of the high part). Every table has f(c) = 0 or f(c) above |a1 d|, so that
/// the head's sum is exact in three operations.
inline Talp_Dd Talp_TaylorSum(const double* v, const double* a, double d, double dl) {
    const double d2 = d * d;
    // d^2 P(d) with the first-order effect of dl; a1 * d exact in two products.
    const double tail = Talp_SquaredTaylorTail(a, d, d2) + 2 * a[2] * d * dl;
    const Talp_Dd ds = Talp_MaskSplit(d);
    const Talp_Dd s = Talp_FastTwoSum(v[0], a[0] * ds.hi);
    // The head's rounding error joins the early terms, the tail the late ones.
    const double lo = ((v[1] + a[0] * ds.lo) + s.lo) + ((a[1] * d + a[0] * dl) + tail);
    return {s.hi, lo};
}

/// The same for an exact argument (no low part): fewer operations, the same bound.
inline Talp_Dd Talp_TaylorSum(const double* v, const double* a, double d) {
    const double d2 = d * d;
    const Talp_Dd ds = Talp_MaskSplit(d);
    const Talp_Dd s = Talp_FastTwoSum(v[0], a[0] * ds.hi);
    const double lo =
        ((v[1] + a[0] * ds.lo) + s.lo) + (a[1] * d + Talp_SquaredTaylorTail(a, d, d2));
    return {s.hi, lo};
}

/// Adding then subtracting it rounds a double below 2^51 to an integer.
constexpr double Talp_RoundingShift = 0x1.8p52;
/// Adding then subtracting it rounds 0 <= x < 2^43 to the nearest multiple of 1/256 (ties to
/// even, as 256 x + Talp_RoundingShift), whose count the low bits of the sum carry: one step
/// less than scaling first.
constexpr double Talp_KnotShift = 0x1.8p44;

/// tan(i/256) as a double-double and its Taylor coefficients there, i = 0..203; inline below,
/// so that tan's caller keeps the first tier in registers.
extern const double Talp_TanTaylorTable[204][11];

// tan(c + d + dl) for c = i/256 nearest rh, d = rh - c, unnormalized. dl enters through
// tan'(c + d) = a1 + 2 a2 d + 3 a3 d^2 + O(4 a4 d^3), a3 <= 2.7 and a4 <= 3.4: with
// |dl| <= 2^-53 rh + 2^-59.4 the neglected terms stay below 2^-75 of tan.
inline Talp_Dd Talp_TanSum(const double* row, double d, double dl) {
    const double d2 = d * d;
    const double slope = (row[2] + row[3]) + d * (2 * row[4] + d * (3 * row[5]));
    const Talp_Dd ds = Talp_Split(d);
    const Talp_Dd s = Talp_FastTwoSum(row[0], row[2] * ds.hi);  // tan c >= (1 + tan^2 c) |d|
    // The small terms first, off the chain: d^2 P(d) joins them by one rounding.
    const double early = ((row[1] + row[2] * ds.lo) + row[3] * d) + dl * slope;
    return {s.hi, s.lo + (early + d2 * Talp_TaylorTail(row + 2, d, d2))};
}

/// Rounded tan(rh + rl) (or 1/tan when inverse) for 0 < rh <= pi/4 + 2^-30 and
/// |rl| <= 2^-53 rh + 2^-59.4 (unnormalized below 2^10), from the Taylor coefficients at i/256,
/// i = round(scaled) for scaled within 2^-24 of 256 (1 - 2^-20) rh; false when tanErr (inverseErr
/// for the inverse) does not allow rounding. Relative error below 1.111 * 2^-68: six roundings
/// of the tail's size (d^2, a2, the sum a2 + ..., its product with d^2, the low part's two
/// additions), each bounded by half an ulp of its largest value over each row's range of d;
/// worst on row 154 at d = -2^-9. Below 1.48 * 2^-68 for the inverse.
inline bool Talp_TanLean(double rh, double rl, double scaled, bool inverse, double tanErr,
                         double inverseErr, double* out) {
    const double shifted = scaled + Talp_RoundingShift;
    const double* row = Talp_TanTaylorTable[Talp_Bits(shifted) & 0xFF];
    const double d = rh - (shifted - Talp_RoundingShift) * 0x1p-8;  // exact
    if (!inverse) return Talp_RoundsSafely(Talp_TanSum(row, d, rl), tanErr, out);
    // 1/t from y0, 1/t2 cut to 26 bits, t2 = T + a1 d + a2 d^2 + a3 d^3 within 2^-33 of t
    // (a4 <= 3.34 T and t >= T/2; on the first row, a5 d^5 = 2 d^5/15): with e = 1 - y0 t,
    // |e| <= 2^-25.9 and 1/t = y0 (1 + e + e^2) + O(2^-77.8). The division runs beside the Taylor
    // sum, and so do y0's products with the halves of t.hi (the sum's early head), exact at 26 bits
    // each; e then rounds within 1.41 * 2^-70 (y0 t.lo, t.lo below 2^-17 of t, within 2^-70).
    const double d2 = d * d;
    const double t2 = (row[0] + d * (row[2] + row[3])) + d2 * (row[4] + d * row[5]);
    const double y0 = Talp_Split(1 / t2).hi;
    const Talp_Dd t = Talp_TanSum(row, d, rl);
    const Talp_Dd th = Talp_Split(t.hi);
    const double e = ((1 - y0 * th.hi) - y0 * th.lo) - y0 * t.lo;  // 1 - y0 th.hi is exact
    return Talp_RoundsSafely({y0, y0 * (e + e * e)}, inverseErr, out);
}

/// Rounds t (or pi - t when xNegative) when its error bound allows; false otherwise.
bool Talp_RoundAngle(const Talp_Dd& t, bool xNegative, double* out);
/// Correctly rounded atan2 of (+-y, +-x) for y, x >= 0 in [2^-64, 2] with max(y, x) >= 1/2,
/// where theta approximates atan2(y, x) to 2^-66 relative.
double Talp_AtanSlow(const Talp_Wide& y, const Talp_Wide& x, Talp_Dd theta, bool yNegative,
                     bool xNegative);

// Calls on this thread that left their first tier (a failed rounding test or a reduction too
// close to a multiple of pi/2); incremented only there, so the fast path pays nothing.
extern thread_local unsigned long long Talp_SlowPathEntries;
inline void Talp_CountSlowPath() {
    ++Talp_SlowPathEntries;
}

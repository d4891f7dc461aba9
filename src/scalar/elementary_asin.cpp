// asin and acos as the angle of the legs (x, sqrt(1 - x^2)): 1 - x^2 is exact as a double-double
// and its square root good to 2^-100, so the arctangent's bound holds (relative error below
// 2^-70). The slow path takes the root to 288 bits and runs the arctangent's Newton step.
#include "scalar/elementary.h"
#include "scalar/elementary_internal.h"

namespace {

// sqrt(1 - x^2) for 0 < x < 1.
Talp_Dd Talp_OtherLeg(double x) {
    const Talp_Dd x2 = Talp_TwoProd(x, x);
    return Talp_DdSqrt(Talp_DdAdd({1.0, 0}, {-x2.hi, -x2.lo}));
}

Talp_Wide Talp_OtherLegWide(double x) {
    const Talp_Wide w = Talp_WideFromDouble(x);
    return Talp_WideSqrt(Talp_WideSub(Talp_WideFromDouble(1.0), Talp_WideMul(w, w)));
}

double Talp_NotANumber(double x) {
    return (x - x) / (x - x);
}

}  // namespace

double Talp_Asin(double x) {
    const double ax = Talp_Abs(x);
    if (ax != ax) return x + x;
    if (ax > 1) return Talp_NotANumber(x);
    if (ax < 0x1p-26) return x;  // asin x = x + x^3/6 rounds to x
    const bool negative = x < 0;
    if (ax == 1) return negative ? -kTalpHalfPi.hi : kTalpHalfPi.hi;
    const Talp_Dd leg = Talp_OtherLeg(ax);
    double out;
    const bool swapped = ax > leg.hi;
    const Talp_Dd q = swapped ? Talp_DdDiv(leg, {ax, 0}) : Talp_DdDiv({ax, 0}, leg);
    if (Talp_AngleLean(q.hi, q.lo, swapped, false, &out)) return negative ? -out : out;
    const Talp_Dd t = Talp_FirstQuadrantAngle({ax, 0}, leg);
    if (Talp_RoundAngle(t, false, &out)) return negative ? -out : out;
    return Talp_AtanSlow(Talp_WideFromDouble(ax), Talp_OtherLegWide(ax), t, negative, false);
}

double Talp_Acos(double x) {
    const double ax = Talp_Abs(x);
    if (ax != ax) return x + x;
    if (ax > 1) return Talp_NotANumber(x);
    // pi/2 - x rounds to pi/2 below 2^-60 (pi/2 lies 2^-54.2 from a rounding boundary).
    if (ax < 0x1p-60) return kTalpHalfPi.hi;
    const bool negative = x < 0;
    if (ax == 1) return negative ? kTalpPi.hi : 0.0;
    const Talp_Dd leg = Talp_OtherLeg(ax);
    double out;
    const bool swapped = leg.hi > ax;
    const Talp_Dd q = swapped ? Talp_DdDiv({ax, 0}, leg) : Talp_DdDiv(leg, {ax, 0});
    if (q.hi >= 0x1p-60 && Talp_AngleLean(q.hi, q.lo, swapped, negative, &out)) return out;
    const Talp_Dd t = Talp_FirstQuadrantAngle(leg, {ax, 0});
    if (Talp_RoundAngle(t, negative, &out)) return out;
    return Talp_AtanSlow(Talp_OtherLegWide(ax), Talp_WideFromDouble(ax), t, false, negative);
}

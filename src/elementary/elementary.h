// Correctly rounded (round to nearest) sine, cosine, tangent and their inverses, built from IEEE
// basic operations alone in a fixed order, so that every target returns the same bits.
#pragma once

/// sin(x), correctly rounded; sin(+-0) = +-0, sin(+-inf) = NaN.
double Talp_Sin(double x);
/// cos(x), correctly rounded; cos(+-inf) = NaN.
double Talp_Cos(double x);
/// Both sin(x) and cos(x) with one argument reduction; each is correctly rounded.
void Talp_SinCos(double x, double* sinOut, double* cosOut);
/// tan(x), correctly rounded; tan(+-0) = +-0, tan(+-inf) = NaN.
double Talp_Tan(double x);
/// asin(x), correctly rounded; NaN outside [-1, 1].
double Talp_Asin(double x);
/// acos(x), correctly rounded; NaN outside [-1, 1], acos(1) = +0.
double Talp_Acos(double x);
/// atan(x), correctly rounded; atan(+-inf) = +-pi/2 rounded.
double Talp_Atan(double x);
/// atan2(y, x), correctly rounded, in [-pi, pi]; zeros and infinities as C99 Annex F.
double Talp_Atan2(double y, double x);
/// Calls on this thread so far that took a slow path (a fast result too near a rounding boundary).
unsigned long long Talp_ElementarySlowPaths();
/// An angle and a sine or cosine of it, returned in registers.
struct Talp_AngleAndLeg {
    double angle, leg;
};
/// Two results returned in registers.
struct Talp_DoublePair {
    double first, second;
};
/// {sin(x0), sin(x1)}, each Talp_Sin's bits; the two run side by side where both are small.
Talp_DoublePair Talp_SinPair(double x0, double x1);
/// {asin(x), cos of that rounded result}: Talp_Cos(Talp_Asin(x)) bit for bit, the cosine mostly
/// read off sqrt(1 - x^2).
Talp_AngleAndLeg Talp_AsinWithCos(double x);
/// {acos(x), sin of that rounded result}: Talp_Sin(Talp_Acos(x)) bit for bit, the sine mostly
/// read off sqrt(1 - x^2).
Talp_AngleAndLeg Talp_AcosWithSin(double x);

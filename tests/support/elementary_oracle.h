// Shared by the elementary-function tests and the validation program: the functions by name,
// our results and glibc's, the MPFR oracle and the random input mix.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "elementary/elementary.h"
#include "elementary/elementary_dd.h"

#ifdef TAL_TEST_HAVE_MPFR
#include <mpfr.h>
#endif

namespace taltest {

enum class Fn { kSin, kCos, kTan, kAsin, kAcos, kAtan, kAtan2 };
inline const char* const kNames[] = {"sin", "cos", "tan", "asin", "acos", "atan", "atan2"};

inline bool SameResult(double a, double b) {
    return (a != a && b != b) || Talp_Bits(a) == Talp_Bits(b);
}

inline std::string Hex(double x) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%a", x);
    return buf;
}

inline std::string Call(Fn f, double y, double x) {
    std::string s = std::string(kNames[int(f)]) + "(" + Hex(y);
    return s + (f == Fn::kAtan2 ? ", " + Hex(x) + ")" : ")");
}

using Binary = double (*)(double, double);

// Ours and glibc's by function, as two-argument calls (x ignored but by atan2).
inline const Binary kOurs[] = {[](double y, double) { return Talp_Sin(y); },
                               [](double y, double) { return Talp_Cos(y); },
                               [](double y, double) { return Talp_Tan(y); },
                               [](double y, double) { return Talp_Asin(y); },
                               [](double y, double) { return Talp_Acos(y); },
                               [](double y, double) { return Talp_Atan(y); },
                               Talp_Atan2};
inline const Binary kGlibc[] = {[](double y, double) { return std::sin(y); },
                                [](double y, double) { return std::cos(y); },
                                [](double y, double) { return std::tan(y); },
                                [](double y, double) { return std::asin(y); },
                                [](double y, double) { return std::acos(y); },
                                [](double y, double) { return std::atan(y); },
                                [](double y, double x) { return std::atan2(y, x); }};

inline double Ours(Fn f, double y, double x) {
    return kOurs[int(f)](y, x);
}
inline double Glibc(Fn f, double y, double x) {
    return kGlibc[int(f)](y, x);
}

// A finite double of random sign and bits; for asin and acos kept inside [-1, 1].
inline double RandomBits(std::mt19937_64& rng, bool unit) {
    for (;;) {
        const double d = Talp_FromBits(rng());
        if (std::isfinite(d) && (!unit || std::fabs(d) <= 1)) return d;
    }
}

inline double RandomInput(Fn f, std::mt19937_64& rng, int i) {
    std::uniform_real_distribution<double> unit(-1, 1);
    const bool inverse = f == Fn::kAsin || f == Fn::kAcos;
    switch (i % 4) {
        case 0:
            return RandomBits(rng, inverse);
        case 1:
            return inverse ? unit(rng) : 8 * unit(rng);
        case 2:
            return inverse ? std::copysign(1 - 0x1p-20 * std::fabs(unit(rng)), unit(rng))
                           : 0x1p21 * unit(rng);
        default:
            return std::ldexp(unit(rng), -int(rng() % 40));
    }
}

#ifdef TAL_TEST_HAVE_MPFR

// f rounded to nearest double: 200 bits toward zero, then one sticky bit past them when inexact,
// so that the final rounding (subnormals included) sees the exact value's side of every tie.
inline double Reference(Fn f, double y, double x) {
    mpfr_t a, b, r;
    mpfr_inits2(200, a, b, r, (mpfr_ptr)0);
    mpfr_set_d(a, y, MPFR_RNDN);
    mpfr_set_d(b, x, MPFR_RNDN);
    // The one-argument functions in the order of Fn; atan2 takes both.
    using Unary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
    const Unary unary[] = {mpfr_sin, mpfr_cos, mpfr_tan, mpfr_asin, mpfr_acos, mpfr_atan};
    const int inexact =
        f == Fn::kAtan2 ? mpfr_atan2(r, a, b, MPFR_RNDZ) : unary[int(f)](r, a, MPFR_RNDZ);
    if (inexact != 0) {
        mpfr_prec_round(r, 201, MPFR_RNDZ);
        if (mpfr_sgn(r) > 0)
            mpfr_nextabove(r);
        else
            mpfr_nextbelow(r);
    }
    const double d = mpfr_get_d(r, MPFR_RNDN);
    mpfr_clears(a, b, r, (mpfr_ptr)0);
    return d;
}

#endif

}  // namespace taltest

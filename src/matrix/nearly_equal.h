// The library's one relative equality test of two doubles.
#pragma once

#include <algorithm>

/// Holds when hi - lo < max(units x 2^-49, hi x rel) strictly, with lo/hi the ordered pair, both
/// negated and swapped when hi < 0. Every caller passes units = 563, rel = 1e-12.
inline bool Talp_NearlyEqual(double a, double b, double units, double rel) {
    double lo = std::min(a, b);
    double hi = std::max(a, b);
    if (hi < 0) {
        const double t = lo;
        lo = -hi;
        hi = -t;
    }
    const double tol = std::max(units * 0x1p-49, hi * rel);
    return hi - lo < tol;
}

constexpr double Talp_NearlyEqualUnits = 563;
constexpr double Talp_NearlyEqualRel = 1e-12;

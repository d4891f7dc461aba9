// The library's one relative equality test of two doubles.
#pragma once

constexpr double Talp_NearlyEqualUnits = 563;
constexpr double Talp_NearlyEqualRel = 1e-12;

/// Holds when hi - lo < max(units x 2^-49, hi x rel) strictly, with lo/hi the ordered pair, both
/// negated and swapped when hi < 0. Every caller passes units = 563, rel = 1e-12. A NaN is
/// nearly equal to nothing, and equal infinities are not nearly equal (inf - inf is NaN).
inline bool Talp_NearlyEqual(double a, double b, double units, double rel) {
    if (a != a || b != b) return false;  // std::min/max would drop a NaN in second place
    double lo = a < b ? a : b;
    double hi = a < b ? b : a;
    if (hi < 0) {
        const double t = lo;
        lo = -hi;
        hi = -t;
    }
    const double floor = units * 0x1p-49;
    const double scaled = hi * rel;
    const double tol = floor < scaled ? scaled : floor;
    return hi - lo < tol;
}

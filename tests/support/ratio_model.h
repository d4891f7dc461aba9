// Ratio operations computed exactly in 64-bit integers (a sign and 64-bit magnitudes hold every
// sum of two products of 32-bit terms), and the double value each falls back to. Shared by the
// tests and the fuzz targets.
#pragma once

#include <cmath>
#include <numeric>
#include <ostream>

#include "tal/ratio.h"

inline bool operator==(const Tal_Ratio& a, const Tal_Ratio& b) {
    return a.num == b.num && a.den == b.den;
}
inline std::ostream& operator<<(std::ostream& os, const Tal_Ratio& r) {
    return os << r.num << "/" << r.den;
}

namespace taltest {

// A value in lowest terms; den 0 where an operation has no value.
struct ExactRatio {
    bool negative;
    uint64_t num, den;
    bool operator==(const ExactRatio& o) const {
        return negative == o.negative && num == o.num && den == o.den;
    }
};

inline uint64_t Magnitude64(int64_t v) {
    return v < 0 ? 0 - uint64_t(v) : uint64_t(v);
}
inline ExactRatio Lowest(bool negative, uint64_t num, uint64_t den) {
    const uint64_t g = den == 0 ? 1 : std::gcd(num, den);
    return {negative && num != 0, num / g, den / g};
}
// (x + y) / den, the sum taken in sign and magnitude so that it cannot overflow.
inline ExactRatio SumOver(int64_t x, int64_t y, uint64_t den) {
    const uint64_t mx = Magnitude64(x), my = Magnitude64(y);
    if ((x < 0) == (y < 0)) return Lowest(x < 0, mx + my, den);
    return mx >= my ? Lowest(x < 0, mx - my, den) : Lowest(y < 0, my - mx, den);
}
inline ExactRatio ExactOf(const Tal_Ratio& r) {
    return Lowest(r.num < 0, Magnitude64(r.num), r.den);
}
inline bool Holds(const Tal_Ratio& r, const ExactRatio& e) {
    return r.den != 0 && e.den != 0 && ExactOf(r) == e;
}
inline double Value(const Tal_Ratio& r) {
    return double(r.num) / double(r.den);
}

enum class RatioKind { kAdd, kSub, kMul, kDiv };

struct RatioOp {
    const char* symbol;
    Tal_Err (*apply)(const Tal_Ratio*, const Tal_Ratio*, Tal_Ratio*, Tal_RatioStatus*);
    int32_t site;        // of a failure report
    const char* phrase;  // of a failure report
    RatioKind kind;

    ExactRatio Exact(const Tal_Ratio& a, const Tal_Ratio& b) const {
        const int64_t an = a.num, ad = a.den, bn = b.num, bd = b.den;
        const uint64_t dens = uint64_t(ad) * uint64_t(bd);
        if (kind == RatioKind::kAdd) return SumOver(an * bd, bn * ad, dens);
        if (kind == RatioKind::kSub) return SumOver(an * bd, -(bn * ad), dens);
        if (kind == RatioKind::kMul)
            return Lowest((an < 0) != (bn < 0), Magnitude64(an * bn), dens);
        return Lowest((an < 0) != (bn < 0), Magnitude64(an * bd), uint64_t(ad) * Magnitude64(bn));
    }
    // The double an overflow falls back to; divide multiplies by the reciprocal of b.
    double Approximate(const Tal_Ratio& a, const Tal_Ratio& b) const {
        if (kind == RatioKind::kAdd) return Value(a) + Value(b);
        if (kind == RatioKind::kSub) return Value(a) - Value(b);
        if (kind == RatioKind::kMul) return Value(a) * Value(b);
        const double den = double(int32_t(b.den));
        return Value(a) * ((b.num < 0 ? -den : den) / std::fabs(double(b.num)));
    }
};

inline const RatioOp kRatioAdd{"+", Tal_AddRatio, 0x110010, " in ratio addition.", RatioKind::kAdd};
inline const RatioOp kRatioSub{"-", Tal_SubRatio, 0x110010, " in ratio subtraction.",
                               RatioKind::kSub};
inline const RatioOp kRatioMul{"*", Tal_MulRatio, 0x110011, " in ratio multiply.", RatioKind::kMul};
inline const RatioOp kRatioDiv{"/", Tal_DivRatio, 0x110011, " in ratio divide.", RatioKind::kDiv};
inline const RatioOp* const kRatioOps[] = {&kRatioAdd, &kRatioSub, &kRatioMul, &kRatioDiv};

}  // namespace taltest

// Ratio operations exactly in sign and 64-bit magnitude, and the double each falls back to.
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
    static uint64_t Magnitude(int64_t v) { return v < 0 ? 0 - uint64_t(v) : uint64_t(v); }
    static ExactRatio Lowest(bool negative, uint64_t num, uint64_t den) {
        const uint64_t g = den == 0 ? 1 : std::gcd(num, den);
        return {negative && num != 0, num / g, den / g};
    }
    // (x + y) / den, summed in sign and magnitude so that it cannot overflow.
    static ExactRatio SumOver(int64_t x, int64_t y, uint64_t den) {
        const uint64_t mx = Magnitude(x), my = Magnitude(y);
        if ((x < 0) == (y < 0)) return Lowest(x < 0, mx + my, den);
        return mx >= my ? Lowest(x < 0, mx - my, den) : Lowest(y < 0, my - mx, den);
    }
    static ExactRatio Of(const Tal_Ratio& r) { return Lowest(r.num < 0, Magnitude(r.num), r.den); }
    bool HeldBy(const Tal_Ratio& r) const { return r.den != 0 && den != 0 && Of(r) == *this; }
};

enum class RatioKind { kAdd, kSub, kMul, kDiv };

struct RatioOp {
    const char* symbol;
    Tal_Err (*apply)(const Tal_Ratio*, const Tal_Ratio*, Tal_Ratio*, Tal_RatioStatus*);
    int32_t site;  // and phrase of a failure report
    const char* phrase;
    RatioKind kind;
    using E = ExactRatio;

    static double Value(const Tal_Ratio& r) { return double(r.num) / double(r.den); }
    ExactRatio Exact(const Tal_Ratio& a, const Tal_Ratio& b) const {
        const int64_t an = a.num, ad = a.den, bn = b.num, bd = b.den;
        const uint64_t dens = uint64_t(ad) * uint64_t(bd);
        const bool negative = (an < 0) != (bn < 0);
        if (kind == RatioKind::kAdd) return E::SumOver(an * bd, bn * ad, dens);
        if (kind == RatioKind::kSub) return E::SumOver(an * bd, -(bn * ad), dens);
        if (kind == RatioKind::kMul) return E::Lowest(negative, E::Magnitude(an * bn), dens);
        return E::Lowest(negative, E::Magnitude(an * bd), uint64_t(ad) * E::Magnitude(bn));
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

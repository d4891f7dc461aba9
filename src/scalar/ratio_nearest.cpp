// Conversion of a double to the nearest fraction with bounded terms.
#include <cmath>

#include "scalar/ratio_internal.h"

namespace {

constexpr uint32_t Talp_FractionScale = 1u << 23;  // a float of at least 1 has no finer bits

// Continued-fraction expansion in progress: the current and previous convergents p/q, pp/qq,
// and the Euclid pair whose next quotient is dividend / divisor. Every term stays below 2^31 and
// the Euclid pair below 2^24, so 32-bit divisions do.
struct Talp_Expansion {
    uint32_t p, q, pp, qq;
    uint32_t dividend, divisor;
    bool boundDen;  // the bound applies to the denominator (|x| < 1) or to the numerator

    uint32_t Bounded() const { return boundDen ? q : p; }
    uint32_t PrevBounded() const { return boundDen ? qq : pp; }
};

Tal_Ratio Talp_Signed(bool negative, uint32_t num, uint32_t den) {
    // Both terms are at most the bound, 2^31 - 1 or less.
    const int32_t n = int32_t(num);
    return Tal_Ratio{negative ? -n : n, den};
}

// Takes full convergents while the bound allows, then settles between the last convergent and
// the largest semiconvergent within the bound, whichever lies nearer.
void Talp_Settle(Talp_Expansion& e, uint32_t bound) {
    while (e.divisor != 0) {
        const uint32_t a = e.dividend / e.divisor;
        const uint32_t rest = e.dividend % e.divisor;
        const uint32_t t = (bound - e.PrevBounded()) / e.Bounded();
        if (t > a) {
            // t > a keeps a * Bounded() + PrevBounded() within the bound, the other term below it.
            const uint32_t p = a * e.p + e.pp;
            const uint32_t q = a * e.q + e.qq;
            e.pp = e.p;
            e.qq = e.q;
            e.p = p;
            e.q = q;
            e.dividend = e.divisor;
            e.divisor = rest;
            continue;
        }
        // At 2t = a the semiconvergent is nearer exactly when divisor * qq > rest * q.
        const bool semi =
            uint64_t(2) * t > a ||
            (uint64_t(2) * t == a && uint64_t(e.divisor) * e.qq > uint64_t(rest) * e.q);
        if (semi) {
            e.p = t * e.p + e.pp;
            e.q = t * e.q + e.qq;
        }
        return;
    }
}

}  // namespace

Tal_Ratio Talp_NearestFraction(float x, int32_t bound) {
    if (bound <= 0) return Tal_Ratio{0, 1};
    const bool negative = x < 0;
    const float ax = std::fabs(x);
    const uint32_t limit = uint32_t(bound);
    Talp_Expansion e{};
    if (ax >= 1.0f) {
        if (ax >= 2147483648.0f) return Talp_Signed(negative, limit, 1);
        const uint32_t a0 = uint32_t(ax);
        if (a0 >= limit) return Talp_Signed(negative, limit, 1);
        // ax - a0 is exact, and 23 fraction bits hold all of it.
        const uint32_t fraction = uint32_t((ax - float(a0)) * float(Talp_FractionScale));
        e = Talp_Expansion{a0, 1, 1, 0, Talp_FractionScale, fraction, false};
    } else {
        if (ax <= 0x1p-31f) {
            const bool nearerOne = ax > 0x1p-32f && uint64_t(0.5 / double(ax)) < limit;
            return nearerOne ? Talp_Signed(negative, 1, limit) : Tal_Ratio{0, 1};
        }
        int exponent = 0;
        const float mantissa = std::frexp(ax, &exponent);
        const uint64_t X = uint64_t(std::ldexp(mantissa, 24));
        // ax = X / 2^k with k in 24..54, so 2^k and the first quotient fit in 64 bits.
        const uint64_t power = uint64_t(1) << (24 - exponent);
        const uint64_t a0 = power / X;
        if (a0 >= limit) {
            return uint64_t(2) * limit > a0 ? Talp_Signed(negative, 1, limit) : Tal_Ratio{0, 1};
        }
        e = Talp_Expansion{1, uint32_t(a0), 0, 1, uint32_t(X), uint32_t(power % X), true};
    }
    Talp_Settle(e, limit);
    return Talp_Signed(negative, e.p, e.q);
}

Tal_Err Tal_FpLong2Ratio(double d, Tal_Ratio* out, uint8_t* overflow) {
    *overflow = 0;
    int exponent = 0;
    const bool finite = std::isfinite(d);
    if (finite) std::frexp(d, &exponent);
    if (!finite || exponent > 31) {
        *overflow = 1;
        *out = Tal_Ratio{0, 0};
        return 0;
    }
    if (d == 0 || exponent < -31) {
        *out = Tal_Ratio{0, 1};
        return 0;
    }
    // Convergents and semiconvergents are in lowest terms already: reducing would change nothing.
    *out = Talp_NearestFraction(float(d), Talp_NearestFractionBound);
    return 0;
}

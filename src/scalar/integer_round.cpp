// Rounding to a multiple and rounding of doubles to 32-bit integers.
#include "scalar/int32_range.h"
#include "tal/integer.h"

namespace {

constexpr int32_t Talp_Mark = INT32_MIN;

}  // namespace

int32_t Tal_RoundToNearestMult(int32_t x, int32_t m) {
    if (m <= 0) return x;
    // 64 bits keep t exact, so every nearest multiple that fits comes out right.
    const int64_t h = m / 2;
    int64_t r;
    if (x >= 0) {
        const int64_t t = int64_t(x) + h;
        r = t - t % m;
    } else {
        const int64_t t = h - int64_t(x);
        r = t % m - t;
    }
    return int32_t(uint32_t(uint64_t(r)));
}

// The halving rule (d > 0: truncate d + 0.5; else truncate d when d + 0.5 is integral, d - 0.5
// when not) is floor(d + 0.5) with the sum in double precision, except at -0.49999999999999994,
// where d - 0.5 rounds to -1. Computed that way it needs no branch on the sign of d.
int32_t Tal_RoundDouble(double d) {
    const double up = d + 0.5;
    // Clamping first keeps the conversion defined; NaN fails the first test and lands low.
    constexpr double below = Talp_Int32MinDouble - 1.0, above = Talp_Int32MaxDouble + 1.0;
    double c = up > below ? up : below;
    c = c < above ? c : above;
    int64_t f = int64_t(c);
    f -= int64_t(double(f) > c);
    f -= int64_t(d == -0.49999999999999994);
    const bool fits = f >= INT32_MIN && f <= INT32_MAX;
    return fits ? int32_t(f) : Talp_Mark;
}

int32_t Tal_RoundDoubleSafe(double d) {
    if (d > 2147483646.5) return INT32_MAX;
    if (d < -2147483647.5) return Talp_Mark;
    return Tal_RoundDouble(d);
}

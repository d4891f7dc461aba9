// Rounding to a multiple and rounding of doubles to 32-bit integers.
#include "tal/integer.h"

namespace {

constexpr int32_t kMark = INT32_MIN;

// Truncation toward zero; a result outside signed 32 bits, or NaN, gives 0x80000000.
int32_t TruncateToInt32(double v) {
    if (v > -2147483649.0 && v < 2147483648.0) return int32_t(v);
    return kMark;
}

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

int32_t Tal_RoundDouble(double d) {
    const double up = d + 0.5;
    if (d > 0) return TruncateToInt32(up);
    // A half (sum exact and integral) moves up to d's truncation; otherwise step down by a half.
    const int32_t t = TruncateToInt32(up);
    return double(t) == up ? TruncateToInt32(d) : TruncateToInt32(d - 0.5);
}

int32_t Tal_RoundDoubleSafe(double d) {
    if (d > 0) {
        if (d > 2147483646.5) return INT32_MAX;
    } else if (d < -2147483647.5) {
        return kMark;
    }
    return Tal_RoundDouble(d);
}

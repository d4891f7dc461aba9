// Addition and subtraction: one worker, exact in 32 bits where the predictions allow.
#include "scalar/integer_bits.h"
#include "scalar/ratio_internal.h"
#include "tal/integer.h"

namespace {

// The gcd of two non-zero denominators, by the binary method: the same divisor Euclid finds,
// without a division per step, which keeps the exact path within a few nanoseconds.
inline uint32_t Talp_DenominatorGCD(uint32_t x, uint32_t y) {
    const int16_t shift = Talp_TrailingZeros(x | y);
    x >>= Talp_TrailingZeros(x);
    do {
        y >>= Talp_TrailingZeros(y);
        const uint32_t low = x < y ? x : y;  // selects, not branches: the order is random
        y = (x < y ? y : x) - low;
        x = low;
    } while (y != 0);
    return x << shift;
}

// x + t / tDen in 32 bits; false when a prediction says some step could overflow.
bool Talp_TrySum(const Tal_Ratio& x, int32_t t, uint32_t tDen, Tal_Ratio* sum) {
    if (x.num == 0) {
        *sum = Tal_Ratio{t, tDen};
        return true;
    }
    if (t == 0) {
        *sum = x;
        return true;
    }
    if (x.den == tDen) {
        if (Tal_AddWouldOverflow(x.num, t)) return false;
        *sum = Tal_Ratio{x.num + t, tDen};
        return true;
    }
    const uint32_t g = Talp_DenominatorGCD(x.den, tDen);
    // Coprime denominators are common enough to spare the two divisions.
    const uint32_t xScale = g == 1 ? tDen : tDen / g;
    const uint32_t tScale = g == 1 ? x.den : x.den / g;
    if (Tal_UMulWouldOverflow(xScale, x.den)) return false;
    // Past that prediction neither xScale nor x.den (nor so tScale) has its top bit set.
    if (Tal_MulWouldOverflow(int32_t(xScale), x.num)) return false;
    if (Tal_MulWouldOverflow(int32_t(tScale), t)) return false;
    const int32_t left = int32_t(xScale) * x.num;
    const int32_t right = int32_t(tScale) * t;
    if (Tal_AddWouldOverflow(left, right)) return false;
    *sum = Tal_Ratio{left + right, xScale * x.den};
    return true;
}

}  // namespace

Tal_Err Talp_AddSubRatio(const Tal_Ratio* a, const Tal_Ratio* b, bool subtract, int16_t phrase,
                         Tal_Ratio* out, Tal_RatioStatus* status) {
    const Talp_RatioOperation op =
        Talp_BeginRatioOperation(a, b, status, Talp_SiteRatioAdd, phrase, out);
    if (op.zeroDenom) return op.zeroDenom;
    Tal_Ratio x = op.a;
    Tal_Ratio y = op.b;
    for (;;) {
        // -(-2^31) does not fit: treated like any other predicted overflow.
        const bool negationFits = !(subtract && y.num == INT32_MIN);
        Tal_Ratio sum{};
        if (negationFits && Talp_TrySum(x, subtract ? -y.num : y.num, y.den, &sum)) {
            return Talp_FinishExact(op, sum, out);
        }
        const bool xChanged = Talp_ReduceChanged(&x);
        const bool yChanged = Talp_ReduceChanged(&y);
        if (!xChanged && !yChanged) break;
    }
    const double left = double(op.a.num) / double(op.a.den);
    const double right = double(op.b.num) / double(op.b.den);
    return Talp_FinishFallback(op, subtract ? left - right : left + right, out);
}

Tal_Err Tal_AddRatio(const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out,
                     Tal_RatioStatus* status) {
    return Talp_AddSubRatio(a, b, false, Talp_PhraseRatioAdd, out, status);
}

Tal_Err Tal_SubRatio(const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out,
                     Tal_RatioStatus* status) {
    return Talp_AddSubRatio(a, b, true, Talp_PhraseRatioSub, out, status);
}

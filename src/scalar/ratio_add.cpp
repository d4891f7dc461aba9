// Addition and subtraction: one worker, exact in 32 bits where the predictions allow.
#include "scalar/integer_bits.h"
#include "scalar/ratio_internal.h"

namespace {

// The gcd of two non-zero denominators, by the binary method: the same divisor Euclid finds,
// without a division per step. Each step replaces the larger odd value by the odd part of the
// difference, and the count of its trailing zeros runs beside the minimum.
inline uint32_t Talp_DenominatorGCD(uint32_t x, uint32_t y) {
    const int16_t shift = Talp_TrailingZeros(x | y);
    x >>= Talp_TrailingZeros(x);
    y >>= Talp_TrailingZeros(y);
    while (x != y) {
        const uint32_t diff = x > y ? x - y : y - x;  // selects, not branches: the order is random
        y = x < y ? x : y;
        x = diff >> Talp_TrailingZeros(diff);
    }
    return x << shift;
}

// den / g, sparing the division for the common divisors 1 and 2, 4, ...
inline uint32_t Talp_DivideByGCD(uint32_t den, uint32_t g) {
    return (g & (g - 1)) == 0 ? den >> Talp_TrailingZeros(g) : den / g;
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
        if (Talp_AddMayOverflow(x.num, t)) return false;
        *sum = Tal_Ratio{x.num + t, tDen};
        return true;
    }
    const uint32_t g = Talp_DenominatorGCD(x.den, tDen);
    const uint32_t xScale = Talp_DivideByGCD(tDen, g);
    const uint32_t tScale = Talp_DivideByGCD(x.den, g);
    if (Talp_UMulMayOverflow(xScale, x.den)) return false;
    // Past that prediction neither xScale nor x.den (nor so tScale) has its top bit set.
    if (Talp_MulMayOverflow(int32_t(xScale), x.num) || Talp_MulMayOverflow(int32_t(tScale), t))
        return false;
    const int32_t left = int32_t(xScale) * x.num;
    const int32_t right = int32_t(tScale) * t;
    if (Talp_AddMayOverflow(left, right)) return false;
    *sum = Tal_Ratio{left + right, xScale * x.den};
    return true;
}

}  // namespace

Tal_Err Talp_AddSubRatio(const Tal_Ratio* a, const Tal_Ratio* b, bool subtract, int16_t phrase,
                         Tal_Ratio* out, Tal_RatioStatus* status) {
    // The first exact try, ahead of the status and report handling it cannot need: a byte status
    // ends as 0 (cleared, then exact), the other forms are not written.
    const Tal_Ratio a0 = *a, b0 = *b;
    if (a0.den != 0 && b0.den != 0 && !(subtract && b0.num == INT32_MIN)) {
        Tal_Ratio sum;
        if (Talp_TrySum(a0, subtract ? -b0.num : b0.num, b0.den, &sum)) {
            if (status != nullptr && !Talp_IsAllOnesStatus(status)) *status = Tal_RatioStatus_EXACT;
            *out = sum;
            return 0;
        }
    }
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

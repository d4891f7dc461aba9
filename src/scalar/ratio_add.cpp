// Addition and subtraction: one worker, exact in 32 bits where the predictions allow.
#include "scalar/ratio_internal.h"

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

// The status argument of the four operations and their double-precision fallback.
#include "scalar/ratio_internal.h"

Talp_RatioStatusArg Talp_ReadRatioStatus(Tal_RatioStatus* status) {
    if (status == nullptr) return Talp_RatioStatusArg{nullptr, false, true};
    if (Talp_IsAllOnesStatus(status)) return Talp_RatioStatusArg{nullptr, true, true};
    const bool allow = (*status & Tal_RatioStatus_APPROXIMATED) != 0;
    *status = Tal_RatioStatus_EXACT;
    return Talp_RatioStatusArg{status, allow, false};
}

Tal_Err Talp_FinishRatio(const Talp_RatioStatusArg& status, uint16_t site, int16_t phrase,
                         Tal_RatioStatus outcome, const Tal_Ratio& result, Tal_Ratio* out) {
    if (status.byte) *status.byte = outcome;
    if (outcome != Tal_RatioStatus_OVERFLOW) {
        *out = result;
        return 0;
    }
    *out = Tal_Ratio{0, 0};
    return status.reportOverflow ? Talp_ReportErr(site, Tal_Err_OVERFLOW, phrase) : 0;
}

Talp_RatioOperation Talp_BeginRatioOperation(const Tal_Ratio* a, const Tal_Ratio* b,
                                             Tal_RatioStatus* status, uint16_t site, int16_t phrase,
                                             Tal_Ratio* out) {
    Talp_RatioOperation op{Talp_ReadRatioStatus(status), site, phrase, *a, *b, 0};
    if (op.a.den == 0 || op.b.den == 0) {
        *out = Tal_Ratio{0, 0};
        op.zeroDenom = Talp_ReportErr(site, Tal_Err_ZERO_DENOM, phrase);
    }
    return op;
}

Tal_Err Talp_FinishFallback(const Talp_RatioOperation& op, double v, Tal_Ratio* out) {
    Tal_Ratio result{0, 0};
    Tal_RatioStatus outcome = Tal_RatioStatus_OVERFLOW;
    if (op.status.allowApprox) {
        uint8_t overflow = 0;
        Tal_FpLong2Ratio(v, &result, &overflow);
        outcome = overflow ? Tal_RatioStatus_OVERFLOW : Tal_RatioStatus_APPROXIMATED;
    }
    return Talp_FinishRatio(op.status, op.site, op.phrase, outcome, result, out);
}

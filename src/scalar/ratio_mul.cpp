// Multiplication and division.
#include "scalar/integer_bits.h"
#include "scalar/ratio_internal.h"
#include "tal/integer.h"

namespace {

bool Talp_TryProduct(const Tal_Ratio& x, const Tal_Ratio& y, Tal_Ratio* product) {
    if (Tal_UMulWouldOverflow(x.den, y.den) || Tal_MulWouldOverflow(x.num, y.num)) return false;
    *product = Tal_Ratio{x.num * y.num, x.den * y.den};
    return true;
}

// Reduces both operands, then each numerator against the other's denominator; true when any of
// the four reductions changed something.
bool Talp_CrossReduce(Tal_Ratio* x, Tal_Ratio* y) {
    bool changed = Talp_ReduceChanged(x);
    changed = Talp_ReduceChanged(y) || changed;
    Tal_Ratio yOverX{y->num, x->den};
    Tal_Ratio xOverY{x->num, y->den};
    changed = Talp_ReduceChanged(&yOverX) || changed;
    changed = Talp_ReduceChanged(&xOverY) || changed;
    *x = Tal_Ratio{xOverY.num, yOverX.den};
    *y = Tal_Ratio{yOverX.num, xOverY.den};
    return changed;
}

}  // namespace

Tal_Err Tal_MulRatio(const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out,
                     Tal_RatioStatus* status) {
    const Talp_RatioOperation op =
        Talp_BeginRatioOperation(a, b, status, Talp_SiteRatioMul, Talp_PhraseRatioMul, out);
    if (op.zeroDenom) return op.zeroDenom;
    Tal_Ratio x = op.a;
    Tal_Ratio y = op.b;
    Tal_Ratio product{};
    if (Talp_TryProduct(x, y, &product) ||
        (Talp_CrossReduce(&x, &y) && Talp_TryProduct(x, y, &product))) {
        return Talp_FinishExact(op, product, out);
    }
    const double v = (double(op.a.num) / double(op.a.den)) * (double(op.b.num) / double(op.b.den));
    return Talp_FinishFallback(op, v, out);
}

Tal_Err Tal_DivRatio(const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out,
                     Tal_RatioStatus* status) {
    const bool allOnes = Talp_IsAllOnesStatus(status);
    Tal_RatioStatus* const byte = allOnes ? nullptr : status;
    Tal_Ratio divisor = *b;
    if (divisor.den == 0) {
        if (byte) *byte = Tal_RatioStatus_EXACT;
        *out = Tal_Ratio{0, 0};
        return Talp_ReportErr(Talp_SiteRatioMul, Tal_Err_ZERO_DENOM, Talp_PhraseRatioDiv);
    }
    bool halved = false;
    if (divisor.den >= Talp_DenTopBit) {
        // Divide uses the value 1 of the byte to allow this, not the value 2.
        if (!allOnes && !(byte && (*byte & Tal_RatioStatus_OVERFLOW))) {
            *out = Tal_Ratio{0, 0};
            if (!byte)
                return Talp_ReportErr(Talp_SiteRatioMul, Tal_Err_OVERFLOW, Talp_PhraseRatioDiv);
            *byte |= Tal_RatioStatus_OVERFLOW;
            return 0;
        }
        divisor = Tal_Ratio{divisor.num / 2, divisor.den >> 1};
        halved = true;
    }
    const int32_t recipNum = int32_t(divisor.den);  // below 2^31 here
    const Tal_Ratio recip{divisor.num < 0 ? -recipNum : recipNum, Talp_Magnitude(divisor.num)};
    const Tal_Err err = Tal_MulRatio(a, &recip, out, status);
    if (halved && byte) *byte |= Tal_RatioStatus_APPROXIMATED;
    return err;
}

// Reduction, reciprocal and change of denominator.
#include "scalar/int32_range.h"
#include "scalar/integer_bits.h"
#include "scalar/integer_gcd.h"
#include "scalar/ratio_internal.h"
#include "tal/integer.h"

namespace {

inline void Talp_SetFlag(uint8_t* flag, bool value) {
    if (flag) *flag = value ? 1 : 0;
}

// Divides by the gcd unless it is 1 or too large to be a signed divisor; *gcdNotOne as reported.
Tal_Ratio Talp_Reduced(const Tal_Ratio& r, bool* gcdNotOne) {
    const uint32_t g = Talp_GCD(Talp_Magnitude(r.num), r.den);
    *gcdNotOne = g != 1;
    if (g == 1 || g >= Talp_DenTopBit) return r;
    return Tal_Ratio{r.num / int32_t(g), r.den / g};
}

// in.num * newDen / in.den rounded; the report and flags follow the caller's overflow argument.
// in is a copy because out may be the caller's input record.
Tal_Err Talp_ConvertAt(uint16_t site, const Tal_Ratio in, uint32_t newDen, Tal_Ratio* out,
                       uint8_t* exact, uint8_t* overflow) {
    Talp_SetFlag(overflow, false);
    *out = Tal_Ratio{0, 0};
    // Nothing is converted, so nothing is said about exactness: the flag keeps its value.
    if (in.den == 0 || newDen == 0) {
        return Talp_ReportErr(site, Tal_Err_ZERO_DENOM, Talp_PhraseRatioConv);
    }
    Talp_SetFlag(exact, false);
    if (in.den == newDen) {
        *out = in;
        Talp_SetFlag(exact, true);
        return 0;
    }
    const double v = (double(newDen) / double(in.den)) * double(in.num);
    if (v > Talp_Int32MaxDouble || v < Talp_Int32MinDouble) {
        if (!overflow) return Talp_ReportErr(site, Tal_Err_OVERFLOW, Talp_PhraseRatioConv);
        *overflow = 1;
        return 0;
    }
    const int32_t num = Tal_RoundDouble(v);
    *out = Tal_Ratio{num, newDen};
    Talp_SetFlag(exact, double(newDen) * double(in.num) == double(in.den) * double(num));
    return 0;
}

}  // namespace

bool Talp_ReduceChanged(Tal_Ratio* r) {
    bool gcdNotOne = false;
    const Tal_Ratio reduced = Talp_Reduced(*r, &gcdNotOne);
    const bool changed = reduced.num != r->num || reduced.den != r->den;
    *r = reduced;
    return changed;
}

Tal_Err Tal_ReduceRatio(const Tal_Ratio* in, Tal_Ratio* out, uint8_t* reduced) {
    Talp_SetFlag(reduced, false);
    bool gcdNotOne = false;
    *out = Talp_Reduced(*in, &gcdNotOne);
    Talp_SetFlag(reduced, gcdNotOne);
    return 0;
}

Tal_Err Tal_RecipRatio(const Tal_Ratio* in, Tal_Ratio* out, uint8_t* exact) {
    Tal_Ratio r = *in;
    const bool negative = r.num < 0;
    bool isExact = true;
    if (r.den >= Talp_DenTopBit && !Talp_ReduceChanged(&r)) {
        // Halving both terms keeps the value roughly and brings den into the signed range.
        r = Tal_Ratio{int32_t(r.den >> 1), Talp_Magnitude(r.num) >> 1};
        isExact = false;
    } else {
        r = Tal_Ratio{int32_t(r.den), Talp_Magnitude(r.num)};
    }
    // Both numerators are now below 2^31, so negation cannot wrap.
    if (negative) r.num = -r.num;
    *out = r;
    Talp_SetFlag(exact, isExact);
    return 0;
}

Tal_Err Tal_ConvRatio(const Tal_Ratio* in, uint32_t newDen, Tal_Ratio* out, uint8_t* exact,
                      uint8_t* overflow) {
    return Talp_ConvertAt(Talp_SiteRatioConv, *in, newDen, out, exact, overflow);
}

Tal_Err Tal_ShortConvRatio(int32_t num, uint32_t oldDen, uint32_t newDen, int32_t* newNum,
                           uint8_t* overflow) {
    Tal_Ratio converted{};
    const Tal_Err err = Talp_ConvertAt(Talp_SiteRatioShortConv, Tal_Ratio{num, oldDen}, newDen,
                                       &converted, nullptr, overflow);
    *newNum = converted.num;
    return err;
}

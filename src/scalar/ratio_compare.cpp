// Comparison, minimum and maximum, clamping to a range and clipping of spans.
#include "frame/base_library.h"
#include "scalar/ratio_internal.h"

namespace {

// -1, 0 or 1 as left is below, equal to or above right.
template <typename T>
int32_t Talp_Order(T left, T right) {
    if (right < left) return 1;
    return left < right ? -1 : 0;
}

// a against b by cross products: exact in 64 bits while both denominators fit a signed value.
int32_t Talp_CrossCompare(const Tal_Ratio& a, const Tal_Ratio& b) {
    if (a.den < Talp_DenTopBit && b.den < Talp_DenTopBit) {
        return Talp_Order(int64_t(a.num) * int64_t(b.den), int64_t(b.num) * int64_t(a.den));
    }
    return Talp_Order(double(a.num) * double(b.den), double(b.num) * double(a.den));
}

// The sign of Tal_CompareRatio(a, b), for callers that need no more. With both denominators in
// [1, 2^31) the 64-bit cross products order exactly, and so does every path of the comparison
// (no zero denominator to report, no cross products in doubles): no gcd is needed for the sign.
Tal_Err Talp_CompareOrder(const Tal_Ratio* a, const Tal_Ratio* b, int32_t* order) {
    if (a->den - 1 < Talp_DenTopBit - 1 && b->den - 1 < Talp_DenTopBit - 1) {
        *order = Talp_CrossCompare(*a, *b);
        return 0;
    }
    return Tal_CompareRatio(a, b, order);
}

// One of two records chosen by a comparison; {0, 0} when the comparison fails.
Tal_Err Talp_Choose(const Tal_Ratio* a, const Tal_Ratio* b, bool takeBWhenAGreater,
                    Tal_Ratio* out) {
    int32_t order = 0;
    const Tal_Err err = Talp_CompareOrder(a, b, &order);
    if (err) {
        *out = Tal_Ratio{0, 0};
        return err;
    }
    const bool takeB = takeBWhenAGreater ? order > 0 : order < 0;
    *out = takeB ? *b : *a;
    return 0;
}

}  // namespace

Tal_Err Tal_CompareRatio(const Tal_Ratio* a, const Tal_Ratio* b, int32_t* result) {
    // The subtraction's first exact try, without its status handling: it succeeds for most terms.
    const Tal_Ratio x = *a, y = *b;
    Tal_Ratio difference{};
    if (x.den != 0 && y.den != 0 && y.num != INT32_MIN &&
        Talp_TrySum(x, -y.num, y.den, &difference)) {
        *result = difference.num;
        return 0;
    }
    Tal_RatioStatus outcome = Tal_RatioStatus_EXACT;  // approximation not allowed
    const Tal_Err err =
        Talp_AddSubRatio(a, b, true, Talp_PhraseRatioCompare, &difference, &outcome);
    if (err) {
        *result = 0;
        return err;
    }
    *result = outcome == Tal_RatioStatus_OVERFLOW ? Talp_CrossCompare(*a, *b) : difference.num;
    return 0;
}

Tal_Err Tal_MinRatio(const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out) {
    return Talp_Choose(a, b, true, out);
}

Tal_Err Tal_MaxRatio(const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out) {
    return Talp_Choose(a, b, false, out);
}

Tal_Err Tal_ClipRatio(const Tal_Ratio* value, const Tal_Ratio* low, const Tal_Ratio* high,
                      Tal_Ratio* out) {
    int32_t order = 0;
    Tal_Err err = Talp_CompareOrder(low, high, &order);
    if (err) return err;
    if (order > 0) {
        return Basp_ReportNiroErrString(
            Tal_ReportCode(Talp_SiteRatioRange), 8, Talp_NiroInvalidRatioRange,
            Bas_ZLookupLStrCache(Tal_G_zref, Talp_MessageRatioRange, 0, 0));
    }
    // Take everything in before out, which may be one of the inputs, is written.
    const Tal_Ratio v = *value;
    const Tal_Ratio lo = *low;
    const Tal_Ratio hi = *high;
    err = Talp_CompareOrder(&v, &lo, &order);
    if (!err && order <= 0) {
        *out = lo;
        return 0;
    }
    if (!err) err = Talp_CompareOrder(&v, &hi, &order);
    if (err) {
        *out = Tal_Ratio{0, 0};
        return err;
    }
    *out = order < 0 ? v : hi;
    return 0;
}

Tal_Err Tal_ClipRatioToSpan(const Tal_Ratio* value, const Tal_Ratio* start, const Tal_Ratio* length,
                            Tal_Ratio* out) {
    const Tal_Ratio v = *value;
    const Tal_Ratio s = *start;
    int32_t order = 0;
    Tal_Err err = Talp_CompareOrder(&v, &s, &order);
    if (!err && order <= 0) {
        *out = s;
        return 0;
    }
    Tal_Ratio end{};
    if (!err) err = Talp_AddSubRatio(&s, length, false, Talp_PhraseRatioSpan, &end, nullptr);
    if (!err) err = Talp_CompareOrder(&v, &end, &order);
    if (err) {
        *out = Tal_Ratio{0, 0};
        return err;
    }
    *out = order < 0 ? v : end;
    return 0;
}

Tal_Err Tal_ClipSpanToSpan(const Tal_Ratio* start, const Tal_Ratio* length,
                           const Tal_Ratio* clipStart, const Tal_Ratio* clipLength,
                           Tal_Ratio* outStart, Tal_Ratio* outLength) {
    Tal_Ratio clippedStart{};
    Tal_Ratio end{};
    Tal_Ratio clippedEnd{};
    Tal_Ratio clippedLength{};
    Tal_Err err = Tal_ClipRatioToSpan(start, clipStart, clipLength, &clippedStart);
    if (!err) err = Tal_AddRatio(start, length, &end, nullptr);
    if (!err) err = Tal_ClipRatioToSpan(&end, clipStart, clipLength, &clippedEnd);
    if (!err) err = Tal_SubRatio(&clippedEnd, &clippedStart, &clippedLength, nullptr);
    if (err) {
        clippedStart = Tal_Ratio{0, 0};
        clippedLength = Tal_Ratio{0, 0};
    }
    *outStart = clippedStart;
    *outLength = clippedLength;
    return err;
}

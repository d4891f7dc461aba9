// Pieces shared by the ratio operations: report sites and phrases, the status argument, the
// double-precision fallback and the nearest-fraction search.
#pragma once

#include <cstdint>

#include "scalar/integer_bits.h"
#include "scalar/integer_gcd.h"
#include "tal/frame.h"
#include "tal/ratio.h"

constexpr uint16_t Talp_SiteRatioAdd = 0x10;  // the addition worker, whoever calls it
constexpr uint16_t Talp_SiteRatioMul = 0x11;
constexpr uint16_t Talp_SiteRatioConv = 0x12;
constexpr uint16_t Talp_SiteRatioShortConv = 0x13;
constexpr uint16_t Talp_SiteRatioRange = 0x18;

constexpr int16_t Talp_PhraseRatioAdd = 11;
constexpr int16_t Talp_PhraseRatioSub = 12;
constexpr int16_t Talp_PhraseRatioMul = 13;
constexpr int16_t Talp_PhraseRatioConv = 14;
constexpr int16_t Talp_PhraseRatioCompare = 15;
constexpr int16_t Talp_MessageRatioRange = 16;
constexpr int16_t Talp_PhraseRatioSpan = 17;
constexpr int16_t Talp_PhraseRatioDiv = 29;

constexpr int32_t Talp_NiroInvalidRatioRange = 3;
constexpr uint32_t Talp_DenTopBit = 0x80000000u;  // a den this large cannot become a numerator
constexpr int32_t Talp_NearestFractionBound = 1 << 30;

// The overflow predictions of the integer utilities (Tal_AddWouldOverflow and its kin), inline
// for the exact paths, where a call would cost as much as the arithmetic it guards.
inline bool Talp_AddMayOverflow(int32_t a, int32_t b) {
    const int32_t sum = Talp_Wrap(uint32_t(a) + uint32_t(b));
    return ((a < 0) == (b < 0)) & ((sum < 0) != (a < 0));
}
inline bool Talp_MulMayOverflow(int32_t a, int32_t b) {
    return Talp_LeadingZeros(Talp_Magnitude(a)) + Talp_LeadingZeros(Talp_Magnitude(b)) <= 32;
}
inline bool Talp_UMulMayOverflow(uint32_t a, uint32_t b) {
    return Talp_LeadingZeros(a) + Talp_LeadingZeros(b) <= 31;
}

// den / g, sparing the division for the common divisors 1 and 2, 4, ...
inline uint32_t Talp_DivideByGCD(uint32_t den, uint32_t g) {
    return (g & (g - 1)) == 0 ? den >> Talp_TrailingZeros(g) : den / g;
}

// x + t / tDen in 32 bits; false when a prediction says some step could overflow.
inline bool Talp_TrySum(const Tal_Ratio& x, int32_t t, uint32_t tDen, Tal_Ratio* sum) {
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
    const uint32_t g = Talp_NonZeroGCD(x.den, tDen);
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

inline bool Talp_IsAllOnesStatus(const Tal_RatioStatus* status) {
    return reinterpret_cast<uintptr_t>(status) == ~uintptr_t(0);
}

// What the caller's status argument asks for; a byte is cleared when it is read.
struct Talp_RatioStatusArg {
    Tal_RatioStatus* byte;  // where the outcome goes, or null
    bool allowApprox;
    bool reportOverflow;
};

Talp_RatioStatusArg Talp_ReadRatioStatus(Tal_RatioStatus* status);

// Stores the outcome, writes result (or {0, 0} on overflow) and makes the overflow report the
// status asks for.
Tal_Err Talp_FinishRatio(const Talp_RatioStatusArg& status, uint16_t site, int16_t phrase,
                         Tal_RatioStatus outcome, const Tal_Ratio& result, Tal_Ratio* out);

// An addition, subtraction or multiplication under way: its status and its operands on entry,
// taken in before out (which may be one of them) is written.
struct Talp_RatioOperation {
    Talp_RatioStatusArg status;
    uint16_t site;
    int16_t phrase;
    Tal_Ratio a, b;
    Tal_Err zeroDenom;  // non-zero when an operand had a zero denominator (reported, out {0, 0})
};

Talp_RatioOperation Talp_BeginRatioOperation(const Tal_Ratio* a, const Tal_Ratio* b,
                                             Tal_RatioStatus* status, uint16_t site, int16_t phrase,
                                             Tal_Ratio* out);

inline Tal_Err Talp_FinishExact(const Talp_RatioOperation& op, const Tal_Ratio& result,
                                Tal_Ratio* out) {
    return Talp_FinishRatio(op.status, op.site, op.phrase, Tal_RatioStatus_EXACT, result, out);
}

// The exact path gave up: an overflow, or the nearest fraction to the double value v when the
// caller allows it.
Tal_Err Talp_FinishFallback(const Talp_RatioOperation& op, double v, Tal_Ratio* out);

// Reduces r in place; true when its values changed (a gcd of 2^31 or more changes nothing).
bool Talp_ReduceChanged(Tal_Ratio* r);

// The common worker of addition and subtraction, also behind comparison and the span clips.
Tal_Err Talp_AddSubRatio(const Tal_Ratio* a, const Tal_Ratio* b, bool subtract, int16_t phrase,
                         Tal_Ratio* out, Tal_RatioStatus* status);

// The fraction nearest to x whose bounded term is at most bound: the denominator for |x| < 1,
// the numerator from 1 up. Not reduced further; bound <= 0 gives 0/1.
Tal_Ratio Talp_NearestFraction(float x, int32_t bound);

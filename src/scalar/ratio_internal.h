// Pieces shared by the ratio operations: report sites and phrases, the status argument, the
// double-precision fallback and the nearest-fraction search.
#pragma once

#include <cstdint>

#include "tal/ratio.h"

namespace talp {

constexpr uint16_t kSiteRatioAdd = 0x10;  // the addition worker, whoever calls it
constexpr uint16_t kSiteRatioMul = 0x11;
constexpr uint16_t kSiteRatioConv = 0x12;
constexpr uint16_t kSiteRatioShortConv = 0x13;
constexpr uint16_t kSiteRatioRange = 0x18;

constexpr int16_t kPhraseRatioAdd = 11;
constexpr int16_t kPhraseRatioSub = 12;
constexpr int16_t kPhraseRatioMul = 13;
constexpr int16_t kPhraseRatioConv = 14;
constexpr int16_t kPhraseRatioCompare = 15;
constexpr int16_t kMessageRatioRange = 16;
constexpr int16_t kPhraseRatioSpan = 17;
constexpr int16_t kPhraseRatioDiv = 29;

constexpr int32_t kNiroInvalidRatioRange = 3;
constexpr uint32_t kDenTopBit = 0x80000000u;  // a den this large cannot become a numerator
constexpr int32_t kNearestFractionBound = 1 << 30;

inline bool IsAllOnesStatus(const Tal_RatioStatus* status) {
    return reinterpret_cast<uintptr_t>(status) == ~uintptr_t(0);
}

// What the caller's status argument asks for; a byte is cleared when it is read.
struct RatioStatusArg {
    Tal_RatioStatus* byte;  // where the outcome goes, or null
    bool allowApprox;
    bool reportOverflow;
};

RatioStatusArg ReadRatioStatus(Tal_RatioStatus* status);

// Stores the outcome, writes result (or {0, 0} on overflow) and makes the overflow report the
// status asks for.
Tal_Err FinishRatio(const RatioStatusArg& status, uint16_t site, int16_t phrase,
                    Tal_RatioStatus outcome, const Tal_Ratio& result, Tal_Ratio* out);

// An addition, subtraction or multiplication under way: its status and its operands on entry,
// taken in before out (which may be one of them) is written.
struct RatioOperation {
    RatioStatusArg status;
    uint16_t site;
    int16_t phrase;
    Tal_Ratio a, b;
    Tal_Err zeroDenom;  // non-zero when an operand had a zero denominator (reported, out {0, 0})
};

RatioOperation BeginRatioOperation(const Tal_Ratio* a, const Tal_Ratio* b, Tal_RatioStatus* status,
                                   uint16_t site, int16_t phrase, Tal_Ratio* out);

inline Tal_Err FinishExact(const RatioOperation& op, const Tal_Ratio& result, Tal_Ratio* out) {
    return FinishRatio(op.status, op.site, op.phrase, Tal_RatioStatus_EXACT, result, out);
}

// The exact path gave up: an overflow, or the nearest fraction to the double value v when the
// caller allows it.
Tal_Err FinishFallback(const RatioOperation& op, double v, Tal_Ratio* out);

// Reduces r in place; true when its values changed (a gcd of 2^31 or more changes nothing).
bool ReduceChanged(Tal_Ratio* r);

// The common worker of addition and subtraction, also behind comparison and the span clips.
Tal_Err AddSubRatio(const Tal_Ratio* a, const Tal_Ratio* b, bool subtract, int16_t phrase,
                    Tal_Ratio* out, Tal_RatioStatus* status);

// The fraction nearest to x whose bounded term is at most bound: the denominator for |x| < 1,
// the numerator from 1 up. Not reduced further; bound <= 0 gives 0/1.
Tal_Ratio NearestFraction(float x, int32_t bound);

}  // namespace talp

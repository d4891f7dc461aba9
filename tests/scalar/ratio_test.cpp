// Ratios: edge values under every status form with the reports and the state left, then seeded
// random operands against an exact 128-bit reference.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <tuple>

#include "support/reports.h"
#include "tal/ratio.h"

inline bool operator==(const Tal_Ratio& a, const Tal_Ratio& b) {
    return a.num == b.num && a.den == b.den;
}
inline std::ostream& operator<<(std::ostream& os, const Tal_Ratio& r) {
    return os << r.num << "/" << r.den;
}

namespace {

using taltest::Msg;
using taltest::TakeReports;
using Reports = std::vector<taltest::Report>;
__extension__ typedef __int128 I128;

constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX, kBound = 1 << 30;
constexpr uint32_t kTop = 0x80000000u;
constexpr Tal_Ratio kFailed{0, 0}, kSentinel{12345, 678};
const taltest::Report kZeroCompare = Msg(0x110010, "zero denominator comparing ratios.");

Tal_Err Apply(char op, const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out, Tal_RatioStatus* s) {
    constexpr decltype(&Tal_AddRatio) kOps[] = {Tal_AddRatio, Tal_SubRatio, Tal_MulRatio,
                                                Tal_DivRatio};
    return kOps[std::string("+-*/").find(op)](a, b, out, s);
}

// The failure report with the phrase of the operation: overflow, or else a zero denominator.
Reports Expected(Tal_Err err, int32_t site, const char* phrase) {
    const std::string what = err == Tal_Err_OVERFLOW ? "overflow" : "zero denominator";
    return err ? Reports{Msg(site, what + phrase)} : Reports{};
}

TEST(Conversions, ReduceRecipDenominatorChangeAndDoubleGiveTheValuesFlagsAndReportsTheyState) {
    // clang-format off
    const struct { Tal_Ratio in, reduced; int gcdNotOne; Tal_Ratio recip; int exact; } unary[] = {
        {{-6, 4}, {-3, 2}, 1, {-4, 6}, 1}, {{0, 7}, {0, 1}, 1, {7, 0}, 1}, {{5, 0}, {5, 0}, 0, {0, 5}, 1}, {{kMin, 1}, {kMin, 1}, 0, {-1, kTop}, 1},
        {{kMin, 6}, {-kBound, 3}, 1, {-6, kTop}, 1}, {{kMin, kTop}, {kMin, kTop}, 1, {-kBound, kBound}, 0} /* gcd 2^31: not divided */,
        {{0, kTop}, {0, kTop}, 1, {kBound, 0}, 0}, {{-1, ~0u}, {-1, ~0u}, 0, {-kMax, 0}, 0}, {{4, ~1u}, {2, kMax}, 1, {kMax, 2}, 1},
        {{3, ~1u}, {3, ~1u}, 0, {kMax, 1}, 0}};  // gcd 1: both halved
    // Halves round up; the overflow flag, when given, takes the place of the report.
    const struct { Tal_Ratio in; uint32_t newDen; bool flagGiven; Tal_Ratio out; int exact, overflow; Tal_Err err; } conv[] = {
        {{1, 3}, 10, 1, {3, 10}, 0, 0, 0}, {{1, 2}, 10, 1, {5, 10}, 1, 0, 0}, {{-1, 2}, 1, 1, {0, 1}, 0, 0, 0}, {{-3, 2}, 1, 1, {-1, 1}, 0, 0, 0},
        {{5, 2}, 1, 1, {3, 1}, 0, 0, 0}, {{1, 1}, kMax, 1, {kMax, kMax}, 1, 0, 0}, {{-1, 1}, kTop, 1, {kMin, kTop}, 1, 0, 0},
        {{kMax, ~0u}, ~1u, 1, {kMax, ~1u}, 0, 0, 0}, {{kMax, 1}, 2, 1, kFailed, 0, 1, 0}, {{kMin, 2}, 4, 1, kFailed, 0, 1, 0},
        {{kMax, 1}, 2, 0, kFailed, 0, 7, Tal_Err_OVERFLOW}, {{1, 0}, 10, 1, kFailed, 7, 0, Tal_Err_ZERO_DENOM}, {{1, 3}, 0, 0, kFailed, 7, 7, Tal_Err_ZERO_DENOM},
        {{3, 3}, 0, 1, kFailed, 7, 0, Tal_Err_ZERO_DENOM} /* exact flag kept, overflow flag cleared */};
    // The nearest fraction to the single-precision value, its terms within 2^30, or an overflow.
    const struct { double d; Tal_Ratio out; } doubles[] = {
        {-0.75, {-3, 4}}, {0.1, {13421773, 134217728}}, {1e-9, {1, 1000000028}}, {3e-10, {0, 1}}, {-0.0, {0, 1}}, {0x1p-30, {1, kBound}},
        {0x1p-31, {0, 1}} /* 0 wins the tie */, {-0x1.8p-31, {-1, kBound}}, {-1.5e9, {-kBound, 1}} /* the numerator saturates */,
        {2147483647.0, {kBound, 1}} /* a float of 2^31 */, {3.0e9, kFailed}, {-2147483648.0, kFailed}, {INFINITY, kFailed}, {NAN, kFailed}};
    // clang-format on
    for (const auto& c : unary) {
        Tal_Ratio reduced = kSentinel, recip = c.in;  // the reciprocal over its own input
        uint8_t flag = 7, exact = 7;
        TakeReports();
        const Tal_Err err =
            Tal_ReduceRatio(&c.in, &reduced, &flag) | Tal_RecipRatio(&recip, &recip, &exact);
        EXPECT_EQ(std::tuple(err, reduced, int(flag), recip, int(exact), TakeReports()),
                  std::tuple(0, c.reduced, c.gcdNotOne, c.recip, c.exact, Reports{}))
            << c.in;
    }
    for (const auto& c : conv) {
        for (int32_t site : {0x110012, 0x110013}) {  // the bare numerator form reports at its own
            const bool whole = site == 0x110012;
            Tal_Ratio out = {kSentinel.num, whole ? kSentinel.den : c.out.den}, inPlace = c.in;
            uint8_t exact = whole ? 7 : uint8_t(c.exact), overflow = 7,
                    *flag = c.flagGiven ? &overflow : nullptr;
            TakeReports();
            const Tal_Err err =
                whole ? Tal_ConvRatio(&c.in, c.newDen, &out, &exact, flag)
                      : Tal_ShortConvRatio(c.in.num, c.in.den, c.newDen, &out.num, flag);
            const Reports reports = TakeReports();
            Tal_ConvRatio(&inPlace, c.newDen, &inPlace, nullptr, nullptr);
            EXPECT_EQ(std::tuple(err, out, int(exact), int(overflow), reports, inPlace),
                      std::tuple(c.err, c.out, c.exact, c.overflow,
                                 Expected(c.err, site, " converting ratio denominators."), c.out))
                << c.in << " -> " << c.newDen;
        }
    }
    for (const auto& c : doubles) {
        Tal_Ratio r = kSentinel;
        uint8_t overflow = 7;
        TakeReports();
        const Tal_Err err = Tal_FpLong2Ratio(c.d, &r, &overflow);
        EXPECT_EQ(std::tuple(err, r, overflow == 1, TakeReports()),
                  std::tuple(0, c.out, c.out.den == 0, Reports{}))
            << c.d;
    }
}

TEST(RatioOperations, GiveTheOutcomeReportAndStateForEveryStatusForm) {
    const int N = 0, A = 1, B = 2;  // status null, all ones, a byte
    // clang-format off
    const struct { char op; Tal_Ratio a, b; int form; Tal_RatioStatus byteIn; Tal_Ratio out; Tal_RatioStatus byteOut; Tal_Err err; char phrase; } cases[] = {
        {'+', {1, 6}, {1, 10}, N, 0, {8, 30}, 0, 0, 0} /* unreduced */, {'+', {kMax, 1}, {1, 1}, N, 0, kFailed, 0, Tal_Err_OVERFLOW, '+'},
        {'+', {kMax, 1}, {1, 2}, A, 0, {kBound, 1}, 0, 0, 0} /* 2^30 at most */, {'+', {kMax, 1}, {kMax, 1}, B, 2, kFailed, 1, 0, 0} /* nor 2^32 */,
        {'-', {1, 1}, {kMin, 1}, A, 0, kFailed, 0, Tal_Err_OVERFLOW, '-'},  // -(-2^31), reported
        {'+', {kMax - 1, 2}, {2, 2}, N, 0, {kBound, 1}, 0, 0, 0},  // reduces and retries
        {'+', {1, 0}, {1, 1}, B, 2, kFailed, 0, Tal_Err_ZERO_DENOM, '+'}, {'*', {0x10000, 1}, {0x10000, 1}, N, 0, kFailed, 0, Tal_Err_OVERFLOW, '*'},
        {'*', {kBound, 7}, {14, kBound}, N, 0, {2, 1}, 0, 0, 0},  // reduced and cross-reduced
        {'*', {0x10000, 3}, {0x8000, 1}, B, 2, {715827904, 1}, 2, 0, 0},  // the nearest fraction
        {'/', {1, 2}, {0, 5}, N, 0, kFailed, 0, Tal_Err_ZERO_DENOM, '*'}, {'/', {1, 2}, {1, 0}, B, 3, kFailed, 0, Tal_Err_ZERO_DENOM, '/'},
        {'/', {1, 1}, {3, kTop}, N, 0, kFailed, 0, Tal_Err_OVERFLOW, '/'}, {'/', {1, 1}, {3, kTop}, B, 2, kFailed, 3, 0, 0} /* 2 allows no halving */,
        {'/', {1, 4}, {3, kTop}, B, 1, {1 << 28, 1}, 2, 0, 0},  // 3/2^31 halves to 1/2^30
        {'/', {1, 1}, {-0x40000001, kTop + 1}, B, 1, {-2, 1}, 2, 0, 0},  // halved toward zero
        {'/', {1, 1}, {1, kTop + 2}, B, 1, kFailed, 2, Tal_Err_ZERO_DENOM, '*'}};
    // clang-format on
    const char* phrases[] = {" in ratio addition.", " in ratio subtraction.", " in ratio multiply.",
                             " in ratio divide."};
    for (const auto& c : cases) {
        const size_t k = std::string("+-*/").find(c.phrase);
        const Reports expected =
            k > 3 ? Reports{} : Expected(c.err, 0x110010 + (k > 1), phrases[k]);
        for (int target = 0; target < 3; ++target) {  // a fresh output, then over a, then over b
            Tal_Ratio a = c.a, b = c.b, fresh = kSentinel, *const outs[] = {&fresh, &a, &b};
            Tal_RatioStatus byte = c.byteIn, *const forms[] = {nullptr, Tal_RatioAllowApprox,
                                                               &byte};
            TakeReports();
            const Tal_Err err = Apply(c.op, &a, &b, outs[target], forms[c.form]);
            EXPECT_EQ(std::tuple(err, *outs[target], int(byte), TakeReports()),
                      std::tuple(c.err, c.out, int(c.form == B ? c.byteOut : c.byteIn), expected))
                << c.a << c.op << c.b;
        }
    }
}

TEST(CompareAndClip, ClampToARangeOrSpanAndFailuresReportLeavingOrClearingTheOutput) {
    const Tal_Ratio one{1, 1}, two{2, 1}, three{3, 1}, bad{1, 0};
    // clang-format off
    const struct { int span; Tal_Ratio value, low, high; Tal_Err err; Tal_Ratio out; Reports reports; } cases[] = {
        // [1, 3] as a range (even) or as the span 1 + 2 (odd), written over the value from 2 on.
        {0, {0, 1}, one, three, 0, one, {}}, {1, {0, 1}, one, two, 0, one, {}}, {2, {2, 2}, one, three, 0, one, {}}, {3, {kMin, 1}, one, two, 0, one, {}},
        {0, {9, 6}, one, three, 0, {9, 6}, {}}, {1, {9, 6}, one, two, 0, {9, 6}, {}}, {2, {5, 1}, one, three, 0, three, {}}, {1, {kMax, 7}, one, two, 0, three, {}},
        {0, one, two, one, Bas_NiroErr(3), kSentinel, {{0x110018, 8, 3, "invalid rational range"}}},
        {0, one, bad, two, Tal_Err_ZERO_DENOM, kSentinel, {kZeroCompare}}, {0, bad, one, two, Tal_Err_ZERO_DENOM, kFailed, {kZeroCompare}},
        {1, {kMax, 1}, {kMax - 1, 1}, two, Tal_Err_OVERFLOW, kFailed, {Msg(0x110010, "overflow in ratio span.")}}};
    // Compare: the difference's numerator, else the sign of the cross products; min and max follow.
    const struct { Tal_Ratio a, b; int32_t order; } pairs[] = {
        {{1, 3}, {1, 2}, -1}, {{5, 7}, {1, 7}, 4}, {{7, 2}, {14, 4}, 0}, {one, {kMin, 1}, 1}, {{kMax, ~0u}, {kMax - 1, ~1u}, 1}};
    // clang-format on
    for (const auto& c : cases) {
        Tal_Ratio out = c.span >= 2 ? c.value : kSentinel;
        TakeReports();
        const auto clip = c.span % 2 ? Tal_ClipRatioToSpan : Tal_ClipRatio;
        const Tal_Err err = clip(c.span >= 2 ? &out : &c.value, &c.low, &c.high, &out);
        EXPECT_EQ(std::tuple(err, out, TakeReports()), std::tuple(c.err, c.out, c.reports))
            << c.value;
    }
    for (const auto& c : pairs) {
        int32_t order = 99;
        Tal_Ratio min{}, max{};  // a on a tie
        const Tal_Err err = Tal_CompareRatio(&c.a, &c.b, &order) | Tal_MinRatio(&c.a, &c.b, &min) |
                            Tal_MaxRatio(&c.a, &c.b, &max);
        EXPECT_EQ(std::tuple(err, order, min, max),
                  std::tuple(0, c.order, c.order > 0 ? c.b : c.a, c.order < 0 ? c.b : c.a));
    }
    // A span clipped into 2 + 3 over itself (17/6 - 5/2 over 6); a failed comparison gives {0, 0}.
    Tal_Ratio start{5, 2}, length{1, 3}, min = kSentinel, max = kSentinel;
    EXPECT_EQ(Tal_ClipSpanToSpan(&start, &length, &two, &three, &start, &length), 0);
    EXPECT_EQ(std::tuple(start, length), std::tuple(Tal_Ratio{5, 2}, Tal_Ratio{2, 6}));
    const Tal_Err err = Tal_MinRatio(&one, &bad, &min) | Tal_MaxRatio(&bad, &one, &max) |
                        Tal_ClipSpanToSpan(&one, &bad, &two, &three, &start, &length);
    EXPECT_EQ(std::tuple(err, min, max, start, length),
              std::tuple(Tal_Err_ZERO_DENOM, kFailed, kFailed, kFailed, kFailed));
}

// Random ratios weighted toward the edges: every width of numerator and denominator, and the
// extreme values on their own.
constexpr int32_t kNums[] = {kMin, kMax, 0, 1, -1, kBound, -kBound};
constexpr uint32_t kDens[] = {1, 2, kTop, ~0u, ~1u, 0x7FFFFFFF};
struct Source {
    std::mt19937_64 rng;
    uint32_t Width() { return uint32_t(rng()) >> (rng() % 32); }
    int32_t Num() {
        return rng() % 12 ? int32_t(rng() & 1 ? 0u - Width() : Width()) : kNums[rng() % 7];
    }
    uint32_t Den() { return rng() % 12 ? std::max(Width(), 1u) : kDens[rng() % 6]; }
};

// Exact outcomes are the exact value, approximation allowed or not; all go into a checksum.
TEST(RatioOperations, MatchTheExactReferenceOnRandomOperands) {
    Source source{std::mt19937_64(0x5EED0001)};
    uint64_t hash = 0xCBF29CE484222325ull;
    for (int i = 0; i < 30000; ++i) {
        const Tal_Ratio a{source.Num(), source.Den()}, b{source.Num(), source.Den()};
        for (char op : {'+', '-', '*', '/'}) {
            if (op == '/' && (b.num == 0 || b.den >= kTop)) continue;  // the edge table has these
            Tal_Ratio refused{}, allowed{};
            Tal_RatioStatus byte = 0, approx = 2;
            TakeReports();
            ASSERT_EQ(Apply(op, &a, &b, &refused, &byte) | Apply(op, &a, &b, &allowed, &approx), 0);
            ASSERT_EQ(TakeReports(), Reports{});
            for (uint32_t v : {uint32_t(refused.num), refused.den, uint32_t(allowed.num),
                               allowed.den, uint32_t(byte << 8 | approx)})
                hash = (hash ^ v) * 0x100000001B3ull;
            const I128 an = a.num, ad = a.den, bn = b.num, bd = b.den,
                       s = op == '/' && bn < 0 ? -1 : 1;
            const I128 nums[] = {an * bd + bn * ad, an * bd - bn * ad, an * bn, an * bd};
            const I128 n = s * nums[std::string("+-*/").find(op)],
                       d = s * (op == '/' ? ad * bn : ad * bd);
            const bool same =
                refused.den && I128(refused.num) * d == n * refused.den && allowed == refused;
            ASSERT_TRUE(byte == 0 ? same && approx == 0 : byte == 1 && refused == kFailed && approx)
                << a << op << b << " gave " << refused;
        }
    }
    EXPECT_EQ(hash, 0xbf86dcde2115fbebull) << std::hex << hash;
}

}  // namespace

// Ratios: edge values under every status form with the reports and the state left, then seeded
// random operands against the exact 128-bit model.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

#include "support/ratio_model.h"
#include "support/reports.h"

namespace {

using taltest::Msg;
using taltest::TakeReports;
using Reports = std::vector<taltest::Report>;

constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX, kBound = 1 << 30;
constexpr uint32_t kTop = 0x80000000u;
constexpr Tal_Ratio kFailed{0, 0}, kSentinel{12345, 678};
const taltest::Report kZeroCompare = Msg(0x110010, "zero denominator comparing ratios.");

TEST(RatioConversions, ReduceAndReciprocalInPlace) {
    const struct {
        Tal_Ratio in, reduced;
        int gcdNotOne;
        Tal_Ratio recip;
        int exact;
    } cases[] = {
        {{-6, 4}, {-3, 2}, 1, {-4, 6}, 1},
        {{0, 7}, {0, 1}, 1, {7, 0}, 1},
        {{5, 0}, {5, 0}, 0, {0, 5}, 1},
        {{kMin, 1}, {kMin, 1}, 0, {-1, kTop}, 1},
        {{kMin, 6}, {-kBound, 3}, 1, {-6, kTop}, 1},
        {{kMin, kTop}, {kMin, kTop}, 1, {-kBound, kBound}, 0},  // gcd 2^31: not divided
        {{0, kTop}, {0, kTop}, 1, {kBound, 0}, 0},
        {{-1, ~0u}, {-1, ~0u}, 0, {-kMax, 0}, 0},
        {{4, ~1u}, {2, kMax}, 1, {kMax, 2}, 1},
        {{3, ~1u}, {3, ~1u}, 0, {kMax, 1}, 0}  // gcd 1: both halved
    };
    for (const auto& c : cases) {
        Tal_Ratio reduced = kSentinel, recip = c.in;  // the reciprocal over its own input
        uint8_t flag = 7, exact = 7;
        TakeReports();
        const Tal_Err err =
            Tal_ReduceRatio(&c.in, &reduced, &flag) | Tal_RecipRatio(&recip, &recip, &exact);
        EXPECT_EQ(std::tuple(err, reduced, int(flag), recip, int(exact), TakeReports()),
                  std::tuple(0, c.reduced, c.gcdNotOne, c.recip, c.exact, Reports{}))
            << c.in;
    }
}

// Halves round up; the overflow flag, when given, takes the place of the report. The whole form
// reports at site 0x12, the bare numerator form at 0x13.
TEST(RatioConversions, NewDenominatorRoundsHalvesUpAndReportsFailures) {
    const struct {
        Tal_Ratio in;
        uint32_t newDen;
        bool flagGiven;
        Tal_Ratio out;
        int exact, overflow;
        Tal_Err err;
    } cases[] = {{{1, 3}, 10, true, {3, 10}, 0, 0, 0},
                 {{1, 2}, 10, true, {5, 10}, 1, 0, 0},
                 {{3, 4}, 8, true, {6, 8}, 1, 0, 0},
                 {{-1, 2}, 1, true, {0, 1}, 0, 0, 0},
                 {{-3, 2}, 1, true, {-1, 1}, 0, 0, 0},
                 {{5, 2}, 1, true, {3, 1}, 0, 0, 0},
                 {{6, 9}, 9, true, {6, 9}, 1, 0, 0},  // the same denominator
                 {{1, 1}, kMax, true, {kMax, kMax}, 1, 0, 0},
                 {{-1, 1}, kTop, true, {kMin, kTop}, 1, 0, 0},
                 {{kMax, ~0u}, ~1u, true, {kMax, ~1u}, 0, 0, 0},
                 {{kMax, 1}, 2, true, kFailed, 0, 1, 0},
                 {{kMin, 2}, 4, true, kFailed, 0, 1, 0},
                 {{kMax, 1}, 2, false, kFailed, 0, 7, Tal_Err_OVERFLOW},
                 {{1, 0}, 10, true, kFailed, 7, 0, Tal_Err_ZERO_DENOM},  // exact flag kept
                 {{1, 3}, 0, false, kFailed, 7, 7, Tal_Err_ZERO_DENOM},
                 {{3, 3}, 0, true, kFailed, 7, 0, Tal_Err_ZERO_DENOM}};
    for (const auto& c : cases) {
        const std::string what = c.err == Tal_Err_OVERFLOW ? "overflow" : "zero denominator";
        for (int32_t site : {0x110012, 0x110013}) {
            const bool whole = site == 0x110012;
            Tal_Ratio out = {kSentinel.num, whole ? kSentinel.den : c.out.den}, inPlace = c.in;
            uint8_t exact = whole ? 7 : uint8_t(c.exact), overflow = 7;
            uint8_t* flag = c.flagGiven ? &overflow : nullptr;
            TakeReports();
            const Tal_Err err =
                whole ? Tal_ConvRatio(&c.in, c.newDen, &out, &exact, flag)
                      : Tal_ShortConvRatio(c.in.num, c.in.den, c.newDen, &out.num, flag);
            const Reports reports = TakeReports();
            Tal_ConvRatio(&inPlace, c.newDen, &inPlace, nullptr, nullptr);
            const Reports expected{Msg(site, what + " converting ratio denominators.")};
            EXPECT_EQ(
                std::tuple(err, out, int(exact), int(overflow), reports, inPlace),
                std::tuple(c.err, c.out, c.exact, c.overflow, c.err ? expected : Reports{}, c.out))
                << c.in << " over " << c.newDen << (whole ? "" : " (numerator form)");
        }
    }
}

// The nearest fraction to the single-precision value, its terms within 2^30, or an overflow.
TEST(RatioConversions, FromDoubleGivesTheNearestBoundedFraction) {
    const struct {
        double d;
        Tal_Ratio out;
    } cases[] = {{-0.75, {-3, 4}},
                 {0.1, {13421773, 134217728}},
                 {1e-9, {1, 1000000028}},
                 {3e-10, {0, 1}},
                 {-0.0, {0, 1}},
                 {0x1p-30, {1, kBound}},
                 {0x1p-31, {0, 1}},  // 0 wins the tie
                 {-0x1.8p-31, {-1, kBound}},
                 // Below 1 the last convergent against the largest semiconvergent within 2^30:
                 // t of a possible steps of the next quotient, more than half, half or less.
                 {0x1.3301240p-14, {69755, 952994884}},   // t 5 of 8: the semiconvergent
                 {0x1.7362f40p-20, {907, 655572928}},     // t 1 of 2: the semiconvergent is nearer
                 {-0x1.e144580p-21, {-880, 981672199}},   // t 1 of 2: the convergent is nearer
                 {0x1.cead220p-8, {4708580, 666949007}},  // t 1 of 3: the convergent
                 {0x1.376ac40p-14, {56306, 758354363}},   // t half the quotient, far from 1
                 {0x1.26aeac0p-15, {33984, 967409453}},   // t 7 of 14: the semiconvergent
                 // From 1 on every float is a fraction over at most 2^23, kept exactly.
                 {1.0, {1, 1}},
                 {1.1, {9227469, 8388608}},
                 {300.7, {4926669, 16384}},
                 {-3.14159265, {-13176795, 4194304}},
                 {-1.5e9, {-kBound, 1}},       // the numerator saturates
                 {2147483647.0, {kBound, 1}},  // a float of 2^31
                 {3.0e9, kFailed},
                 {-2147483648.0, kFailed},
                 {INFINITY, kFailed},
                 {NAN, kFailed}};
    for (const auto& c : cases) {
        Tal_Ratio r = kSentinel;
        uint8_t overflow = 7;
        TakeReports();
        const Tal_Err err = Tal_FpLong2Ratio(c.d, &r, &overflow);
        EXPECT_EQ(std::tuple(err, r, int(overflow), TakeReports()),
                  std::tuple(0, c.out, int(c.out.den == 0), Reports{}))
            << c.d;
    }
}

enum Form { kNull, kAllOnes, kByte };

TEST(RatioOperations, GiveTheOutcomeReportAndStateForEveryStatusForm) {
    const taltest::RatioOp *add = &taltest::kRatioAdd, *sub = &taltest::kRatioSub,
                           *mul = &taltest::kRatioMul, *div = &taltest::kRatioDiv;
    const Tal_Err over = Tal_Err_OVERFLOW, zero = Tal_Err_ZERO_DENOM;
    const struct {
        const taltest::RatioOp* op;
        Tal_Ratio a, b;
        Form form;
        Tal_RatioStatus byteIn;
        Tal_Ratio out;
        Tal_RatioStatus byteOut;
        Tal_Err err;
        const taltest::RatioOp* reporter;  // whose phrase the report carries
    } cases[] = {
        {add, {1, 6}, {1, 10}, kNull, 0, {8, 30}, 0, 0, nullptr},  // unreduced
        {add, {kMax, 1}, {1, 1}, kNull, 0, kFailed, 0, over, add},
        {add, {kMax, 1}, {1, 2}, kAllOnes, 0, {kBound, 1}, 0, 0, nullptr},  // 2^30 at most
        {add, {kMax, 1}, {kMax, 1}, kByte, 2, kFailed, 1, 0, nullptr},      // nor 2^32
        {sub, {1, 1}, {kMin, 1}, kAllOnes, 0, kFailed, 0, over, sub},
        {add, {kMax - 1, 2}, {2, 2}, kNull, 0, {kBound, 1}, 0, 0, nullptr},  // reduces, retries
        {add, {1, 0}, {1, 1}, kByte, 2, kFailed, 0, zero, add},
        {mul, {0x10000, 1}, {0x10000, 1}, kNull, 0, kFailed, 0, over, mul},
        {mul, {kBound, 7}, {14, kBound}, kNull, 0, {2, 1}, 0, 0, nullptr},  // cross-reduced
        {mul, {0x10000, 3}, {0x8000, 1}, kByte, 2, {715827904, 1}, 2, 0, nullptr},
        {div, {1, 2}, {0, 5}, kNull, 0, kFailed, 0, zero, mul},
        {div, {1, 2}, {1, 0}, kByte, 3, kFailed, 0, zero, div},
        {div, {1, 1}, {3, kTop}, kNull, 0, kFailed, 0, over, div},
        {div, {1, 1}, {3, kTop}, kByte, 2, kFailed, 3, 0, nullptr},       // 2 allows no halving
        {div, {1, 4}, {3, kTop}, kByte, 1, {1 << 28, 1}, 2, 0, nullptr},  // 3/2^31 to 1/2^30
        {div, {1, 1}, {-0x40000001, kTop + 1}, kByte, 1, {-2, 1}, 2, 0, nullptr},  // to zero
        {div, {1, 1}, {1, kTop + 2}, kByte, 1, kFailed, 2, zero, mul}};
    for (const auto& c : cases) {
        const std::string what = c.err == Tal_Err_OVERFLOW ? "overflow" : "zero denominator";
        const Reports expected =
            c.reporter ? Reports{Msg(c.reporter->site, what + c.reporter->phrase)} : Reports{};
        for (int target = 0; target < 3; ++target) {  // a fresh output, then over a, then over b
            Tal_Ratio a = c.a, b = c.b, fresh = kSentinel;
            Tal_Ratio* const out = target == 0 ? &fresh : target == 1 ? &a : &b;
            Tal_RatioStatus byte = c.byteIn;
            Tal_RatioStatus* const forms[] = {nullptr, Tal_RatioAllowApprox, &byte};
            TakeReports();
            const Tal_Err err = c.op->apply(&a, &b, out, forms[c.form]);
            EXPECT_EQ(
                std::tuple(err, *out, int(byte), TakeReports()),
                std::tuple(c.err, c.out, int(c.form == kByte ? c.byteOut : c.byteIn), expected))
                << c.a << " " << c.op->symbol << " " << c.b << ", output " << target;
        }
    }
}

// A span of [1, 3] is 1 + 2; an odd row clips to the span, an even one to the range, rows from
// 2 on write over the value.
TEST(RatioCompare, ClipToARangeOrSpanAndFailuresReportLeavingOrClearingTheOutput) {
    const Tal_Ratio one{1, 1}, two{2, 1}, three{3, 1}, bad{1, 0};
    const Reports spanOverflow{Msg(0x110010, "overflow in ratio span.")};
    const struct {
        int mode;
        Tal_Ratio value, low, high;
        Tal_Err err;
        Tal_Ratio out;
        Reports reports;
    } cases[] = {
        {0, {0, 1}, one, three, 0, one, {}},
        {1, {0, 1}, one, two, 0, one, {}},
        {2, {2, 2}, one, three, 0, one, {}},
        {3, {kMin, 1}, one, two, 0, one, {}},
        {0, {9, 6}, one, three, 0, {9, 6}, {}},
        {0, {9, 6}, two, {4, 2}, 0, two, {}},  // a range of one value is valid
        {1, {9, 6}, one, two, 0, {9, 6}, {}},
        {2, {5, 1}, one, three, 0, three, {}},
        {1, {kMax, 7}, one, two, 0, three, {}},
        {0, one, two, one, Bas_NiroErr(3), kSentinel, {{0x110018, 8, 3, "invalid rational range"}}},
        {0, one, bad, two, Tal_Err_ZERO_DENOM, kSentinel, {kZeroCompare}},
        {0, bad, one, two, Tal_Err_ZERO_DENOM, kFailed, {kZeroCompare}},
        {1, {kMax, 1}, {kMax - 1, 1}, two, Tal_Err_OVERFLOW, kFailed, spanOverflow}};
    for (const auto& c : cases) {
        Tal_Ratio out = c.mode >= 2 ? c.value : kSentinel;
        TakeReports();
        const auto clip = c.mode % 2 ? Tal_ClipRatioToSpan : Tal_ClipRatio;
        const Tal_Err err = clip(c.mode >= 2 ? &out : &c.value, &c.low, &c.high, &out);
        EXPECT_EQ(std::tuple(err, out, TakeReports()), std::tuple(c.err, c.out, c.reports))
            << c.value << " in " << c.low << ", " << c.high << (c.mode % 2 ? " (span)" : "");
    }
    // A span clipped into 2 + 3 over itself; a failed comparison gives {0, 0}.
    Tal_Ratio start{5, 2}, length{1, 3}, min = kSentinel, max = kSentinel;
    EXPECT_EQ(Tal_ClipSpanToSpan(&start, &length, &two, &three, &start, &length), 0);
    EXPECT_EQ(std::tuple(start, length), std::tuple(Tal_Ratio{5, 2}, Tal_Ratio{2, 6}));
    const Tal_Err err = Tal_MinRatio(&one, &bad, &min) | Tal_MaxRatio(&bad, &one, &max) |
                        Tal_ClipSpanToSpan(&one, &bad, &two, &three, &start, &length);
    EXPECT_EQ(std::tuple(err, min, max, start, length),
              std::tuple(Tal_Err_ZERO_DENOM, kFailed, kFailed, kFailed, kFailed));
}

// The numerator of the difference, else the sign of the cross products (in doubles when a
// denominator reaches 2^31); min and max follow, a on a tie.
TEST(RatioCompare, OrderIsTheDifferenceOrItsSign) {
    const struct {
        Tal_Ratio a, b;
        int32_t order;
    } cases[] = {{{1, 3}, {1, 2}, -1},
                 {{5, 7}, {1, 7}, 4},
                 {{7, 2}, {14, 4}, 0},
                 {{1, 1}, {kMin, 1}, 1},
                 {{kMax, ~0u}, {kMax - 1, ~1u}, 1},
                 // Differences that overflow: exact cross products below 2^31, from 2^31 on either
                 // side in doubles, which cannot resolve these.
                 {{kMax - 1, kTop - 1}, {kMax - 2, kTop - 2}, 1},
                 {{kMax - 2, kTop - 2}, {kMax - 1, kTop - 1}, -1},
                 {{kMax, kTop}, {kMax - 1, kTop - 1}, 0},
                 {{kMax - 1, kTop - 1}, {kMax, kTop}, 0}};
    for (const auto& c : cases) {
        int32_t order = 99;
        Tal_Ratio min{}, max{};
        const Tal_Err err = Tal_CompareRatio(&c.a, &c.b, &order) | Tal_MinRatio(&c.a, &c.b, &min) |
                            Tal_MaxRatio(&c.a, &c.b, &max);
        EXPECT_EQ(std::tuple(err, order, min, max),
                  std::tuple(0, c.order, c.order > 0 ? c.b : c.a, c.order < 0 ? c.b : c.a))
            << c.a << " vs " << c.b;
    }
}

// Random ratios weighted toward the edges: every width of numerator and denominator, and the
// extreme values on their own.
struct RatioSource {
    std::mt19937_64 rng;
    uint32_t Width() { return uint32_t(rng()) >> (rng() % 32); }
    int32_t Num() {
        static constexpr int32_t kNums[] = {kMin, kMax, 0, 1, -1, kBound, -kBound};
        return rng() % 12 ? int32_t(rng() & 1 ? 0u - Width() : Width()) : kNums[rng() % 7];
    }
    uint32_t Den() {
        static constexpr uint32_t kDens[] = {1, 2, kTop, ~0u, ~1u, 0x7FFFFFFF};
        return rng() % 12 ? std::max(Width(), 1u) : kDens[rng() % 6];
    }
};

// An exact outcome holds the exact value, approximation allowed or not; an allowed approximation
// is the nearest fraction to the double result.
TEST(RatioOperations, RandomOperandsMatchTheExactModel) {
    RatioSource source{std::mt19937_64(0x5EED0001)};
    for (int i = 0; i < 30000; ++i) {
        const Tal_Ratio a{source.Num(), source.Den()}, b{source.Num(), source.Den()};
        for (const taltest::RatioOp* op : taltest::kRatioOps) {
            if (op == &taltest::kRatioDiv && (b.num == 0 || b.den >= kTop))
                continue;  // in the table
            Tal_Ratio refused{}, allowed{};
            Tal_RatioStatus byte = 0, approx = 2;
            TakeReports();
            const Tal_Err err =
                op->apply(&a, &b, &refused, &byte) | op->apply(&a, &b, &allowed, &approx);
            Tal_Ratio nearest{};
            uint8_t overflow = 0;
            Tal_FpLong2Ratio(op->Approximate(a, b), &nearest, &overflow);
            const bool exact = byte == 0;
            const bool refusedRight = exact ? Holds(refused, op->Exact(a, b)) : refused == kFailed;
            const auto want = exact ? std::tuple(0, 0, true, refused, 0)
                                    : std::tuple(0, 1, true, nearest, overflow ? 1 : 2);
            ASSERT_EQ(std::tuple(err, int(byte), refusedRight, allowed, int(approx)), want)
                << a << " " << op->symbol << " " << b << " gave " << refused << " exactly, "
                << allowed << " approximately";
            ASSERT_EQ(TakeReports(), Reports{});
        }
    }
}

}  // namespace

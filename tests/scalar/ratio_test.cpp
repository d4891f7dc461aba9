// Ratios: edge values with the reports and the state left, then random operands against the model.
#include <gtest/gtest.h>

#include <random>

#include "support/ratio_model.h"
#include "support/reports.h"

namespace {

using namespace taltest;
using Op = const RatioOp*;

constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX, kBound = 1 << 30;
constexpr uint32_t kTop = 0x80000000u;
constexpr Tal_Ratio kFailed{0, 0}, kSentinel{12345, 678};

TEST(RatioConversions, ReduceAndReciprocalInPlace) {
    const std::tuple<Tal_Ratio, Tal_Ratio, int, Tal_Ratio, int> cases[] = {
        {{0, 7}, {0, 1}, 1, {7, 0}, 1},
        {{5, 0}, {5, 0}, 0, {0, 5}, 1},
        {{kMin, 1}, {kMin, 1}, 0, {-1, kTop}, 1},
        {{kMin, 6}, {-kBound, 3}, 1, {-6, kTop}, 1},
        {{kMin, kTop}, {kMin, kTop}, 1, {-kBound, kBound}, 0},  // gcd 2^31: not divided
        {{-1, ~0u}, {-1, ~0u}, 0, {-kMax, 0}, 0},
        {{4, ~1u}, {2, kMax}, 1, {kMax, 2}, 1},
        {{3, ~1u}, {3, ~1u}, 0, {kMax, 1}, 0}};  // gcd 1: both halved
    for (const auto& [in, reduced, gcdNotOne, recip, exact] : cases) {
        Tal_Ratio gotReduced = kSentinel, gotRecip = in;  // the reciprocal over its own input
        uint8_t gotFlag = 7, gotExact = 7;
        TakeReports();
        const Tal_Err err = Tal_ReduceRatio(&in, &gotReduced, &gotFlag) |
                            Tal_RecipRatio(&gotRecip, &gotRecip, &gotExact);
        EXPECT_EQ(std::tuple(err, gotReduced, int(gotFlag), gotRecip, int(gotExact), TakeReports()),
                  std::tuple(0, reduced, gcdNotOne, recip, exact, Reports{}))
            << in;
    }
}

// Halves round up; the overflow flag, when given, replaces the report.
TEST(RatioConversions, NewDenominatorRoundsHalvesUpAndReportsFailures) {
    const Tal_Err over = Tal_Err_OVERFLOW, zero = Tal_Err_ZERO_DENOM;
    const std::tuple<Tal_Ratio, uint32_t, bool, Tal_Ratio, int, int, Tal_Err> cases[] = {
        {{1, 3}, 10, true, {3, 10}, 0, 0, 0},
        {{1, 2}, 10, true, {5, 10}, 1, 0, 0},
        {{-1, 2}, 1, true, {0, 1}, 0, 0, 0},
        {{-3, 2}, 1, true, {-1, 1}, 0, 0, 0},
        {{6, 9}, 9, true, {6, 9}, 1, 0, 0},  // the same denominator
        {{-1, 1}, kTop, true, {kMin, kTop}, 1, 0, 0},
        {{kMax, ~0u}, ~1u, true, {kMax, ~1u}, 0, 0, 0},
        {{kMax, 1}, 2, true, kFailed, 0, 1, 0},
        {{kMax, 1}, 2, false, kFailed, 0, 7, over},
        {{1, 0}, 10, true, kFailed, 7, 0, zero},  // the exact flag kept
        {{1, 3}, 0, false, kFailed, 7, 7, zero},
        {{3, 3}, 0, true, kFailed, 7, 0, zero}};
    for (const auto& [in, newDen, flagGiven, out, exact, overflow, err] : cases) {
        const std::string what = err == over ? "overflow" : "zero denominator";
        for (const bool whole : {true, false}) {
            const int32_t site = whole ? 0x110012 : 0x110013;
            Tal_Ratio got = {kSentinel.num, whole ? kSentinel.den : out.den}, inPlace = in;
            uint8_t gotExact = whole ? 7 : uint8_t(exact), gotOverflow = 7;
            uint8_t* flag = flagGiven ? &gotOverflow : nullptr;
            TakeReports();
            const Tal_Err gotErr = whole
                                       ? Tal_ConvRatio(&in, newDen, &got, &gotExact, flag)
                                       : Tal_ShortConvRatio(in.num, in.den, newDen, &got.num, flag);
            const Reports reports = TakeReports();
            Tal_ConvRatio(&inPlace, newDen, &inPlace, nullptr, nullptr);
            const Reports expected{Msg(site, what + " converting ratio denominators.")};
            EXPECT_EQ(std::tuple(gotErr, got, int(gotExact), int(gotOverflow), reports, inPlace),
                      std::tuple(err, out, exact, overflow, err ? expected : Reports{}, out))
                << in << " over " << newDen << (whole ? "" : " (numerator form)");
        }
    }
}

// Terms within 2^30; below 1 the last convergent or semiconvergent (t of a possible steps).
TEST(RatioConversions, FromDoubleGivesTheNearestBoundedFraction) {
    const std::pair<double, Tal_Ratio> cases[] = {
        {-0.0, {0, 1}},
        {0x1p-30, {1, kBound}},
        {0x1p-31, {0, 1}},  // 0 wins the tie
        {-0x1.8p-31, {-1, kBound}},
        {0x1.3301240p-14, {69755, 952994884}},   // t 5 of 8: the semiconvergent
        {0x1.7362f40p-20, {907, 655572928}},     // t 1 of 2: the semiconvergent is nearer
        {-0x1.e144580p-21, {-880, 981672199}},   // t 1 of 2: the convergent is nearer
        {0x1.cead220p-8, {4708580, 666949007}},  // t 1 of 3: the convergent
        {0x1.376ac40p-14, {56306, 758354363}},   // t half the quotient, far from 1
        {0x1.26aeac0p-15, {33984, 967409453}},   // t 7 of 14: the semiconvergent
        {1.0, {1, 1}},
        {-3.14159265, {-13176795, 4194304}},
        {-1.5e9, {-kBound, 1}},       // the numerator saturates
        {2147483647.0, {kBound, 1}},  // a float of 2^31
        {3.0e9, kFailed},
        {-2147483648.0, kFailed},
        {NAN, kFailed}};
    for (const auto& [d, out] : cases) {
        Tal_Ratio got = kSentinel;
        uint8_t overflow = 7;
        TakeReports();
        const Tal_Err err = Tal_FpLong2Ratio(d, &got, &overflow);
        EXPECT_EQ(std::tuple(err, got, int(overflow), TakeReports()),
                  std::tuple(0, out, int(out.den == 0), Reports{}))
            << d;
    }
}

enum Form { kNull, kAllOnes, kByte };

// The reporter is the operation whose phrase the report carries.

TEST(RatioOperations, GiveTheOutcomeReportAndStateForEveryStatusForm) {
    const Op add = &kRatioAdd, sub = &kRatioSub, mul = &kRatioMul, div = &kRatioDiv, none = nullptr;
    const Tal_Err over = Tal_Err_OVERFLOW, zero = Tal_Err_ZERO_DENOM;
    const std::tuple<Op, Tal_Ratio, Tal_Ratio, Form, int, Tal_Ratio, int, Tal_Err, Op> cases[] = {
        {add, {1, 6}, {1, 10}, kNull, 0, {8, 30}, 0, 0, none},  // unreduced
        {add, {kMax, 1}, {1, 1}, kNull, 0, kFailed, 0, over, add},
        {add, {kMax, 1}, {1, 2}, kAllOnes, 0, {kBound, 1}, 0, 0, none},  // 2^30 at most
        {add, {kMax, 1}, {kMax, 1}, kByte, 2, kFailed, 1, 0, none},      // nor 2^32
        {sub, {1, 1}, {kMin, 1}, kAllOnes, 0, kFailed, 0, over, sub},
        {add, {kMax - 1, 2}, {2, 2}, kNull, 0, {kBound, 1}, 0, 0, none},  // reduces, retries
        {add, {1, 0}, {1, 1}, kByte, 2, kFailed, 0, zero, add},
        {mul, {0x10000, 1}, {0x10000, 1}, kNull, 0, kFailed, 0, over, mul},
        {mul, {kBound, 7}, {14, kBound}, kNull, 0, {2, 1}, 0, 0, none},  // cross-reduced
        {div, {1, 2}, {0, 5}, kNull, 0, kFailed, 0, zero, mul},
        {div, {1, 2}, {1, 0}, kByte, 3, kFailed, 0, zero, div},
        {div, {1, 1}, {3, kTop}, kNull, 0, kFailed, 0, over, div},
        {div, {1, 1}, {3, kTop}, kByte, 2, kFailed, 3, 0, none},       // 2 allows no halving
        {div, {1, 4}, {3, kTop}, kByte, 1, {1 << 28, 1}, 2, 0, none},  // 3/2^31 to 1/2^30
        {div, {1, 1}, {-0x40000001, kTop + 1}, kByte, 1, {-2, 1}, 2, 0, none},  // to zero
        {div, {1, 1}, {1, kTop + 2}, kByte, 1, kFailed, 2, zero, mul}};
    for (const auto& [op, a, b, form, byteIn, out, byteOut, err, reporter] : cases) {
        const std::string what = err == over ? "overflow" : "zero denominator";
        const Reports expected =
            reporter ? Reports{Msg(reporter->site, what + reporter->phrase)} : Reports{};
        for (int target = 0; target < 3; ++target) {  // a fresh output, then over a, then over b
            Tal_Ratio x = a, y = b, fresh = kSentinel;
            Tal_Ratio* const got = target == 0 ? &fresh : target == 1 ? &x : &y;
            Tal_RatioStatus byte = Tal_RatioStatus(byteIn);
            Tal_RatioStatus* const forms[] = {nullptr, Tal_RatioAllowApprox, &byte};
            TakeReports();
            const Tal_Err gotErr = op->apply(&x, &y, got, forms[form]);
            EXPECT_EQ(std::tuple(gotErr, *got, int(byte), TakeReports()),
                      std::tuple(err, out, form == kByte ? byteOut : byteIn, expected))
                << a << " " << op->symbol << " " << b << ", output " << target;
        }
    }
}

// Modes: 0 clip to a range, 1 to a span (start, length); 2 and 3 the same over the value.
TEST(RatioCompare, ClipToARangeOrSpanAndFailuresReportLeavingOrClearingTheOutput) {
    const Tal_Ratio one{1, 1}, two{2, 1}, three{3, 1}, bad{1, 0};
    const Reports none, zeroCompare{Msg(0x110010, "zero denominator comparing ratios.")},
        badRange{{0x110018, 8, 3, "invalid rational range"}},
        spanOverflow{Msg(0x110010, "overflow in ratio span.")};
    const std::tuple<int, Tal_Ratio, Tal_Ratio, Tal_Ratio, Tal_Err, Tal_Ratio, Reports> cases[] = {
        {2, {2, 2}, one, three, 0, one, none},
        {3, {kMin, 1}, one, two, 0, one, none},
        {0, {9, 6}, one, three, 0, {9, 6}, none},
        {0, {9, 6}, two, {4, 2}, 0, two, none},  // a range of one value is valid
        {1, {9, 6}, one, two, 0, {9, 6}, none},
        {2, {5, 1}, one, three, 0, three, none},
        {1, {kMax, 7}, one, two, 0, three, none},
        {0, one, two, one, Bas_NiroErr(3), kSentinel, badRange},
        {0, one, bad, two, Tal_Err_ZERO_DENOM, kSentinel, zeroCompare},
        {0, bad, one, two, Tal_Err_ZERO_DENOM, kFailed, zeroCompare},
        {1, {kMax, 1}, {kMax - 1, 1}, two, Tal_Err_OVERFLOW, kFailed, spanOverflow}};
    for (const auto& [mode, value, low, high, err, out, reports] : cases) {
        Tal_Ratio got = mode >= 2 ? value : kSentinel;
        TakeReports();
        const auto clip = mode % 2 ? Tal_ClipRatioToSpan : Tal_ClipRatio;
        const Tal_Err gotErr = clip(mode >= 2 ? &got : &value, &low, &high, &got);
        EXPECT_EQ(std::tuple(gotErr, got, TakeReports()), std::tuple(err, out, reports))
            << value << " in " << low << ", " << high << (mode % 2 ? " (span)" : "");
    }
    // A span clipped into 2 + 3 over itself; a failed comparison gives {0, 0}.
    Tal_Ratio start{5, 2}, length{1, 3}, min = kSentinel, max = kSentinel;
    const Tal_Err ok = Tal_ClipSpanToSpan(&start, &length, &two, &three, &start, &length);
    EXPECT_EQ(std::tuple(ok, start, length), std::tuple(0, Tal_Ratio{5, 2}, Tal_Ratio{2, 6}));
    const Tal_Err err = Tal_MinRatio(&one, &bad, &min) | Tal_MaxRatio(&bad, &one, &max) |
                        Tal_ClipSpanToSpan(&one, &bad, &two, &three, &start, &length);
    EXPECT_EQ(std::tuple(err, min, max, start, length),
              std::tuple(Tal_Err_ZERO_DENOM, kFailed, kFailed, kFailed, kFailed));
}

// The difference's numerator, else the sign of the cross products, in doubles from 2^31 on.
TEST(RatioCompare, OrderIsTheDifferenceOrItsSign) {
    const std::tuple<Tal_Ratio, Tal_Ratio, int32_t> cases[] = {
        {{5, 7}, {1, 7}, 4},
        {{7, 2}, {14, 4}, 0},
        {{1, 1}, {kMin, 1}, 1},
        {{kMax, ~0u}, {kMax - 1, ~1u}, 1},
        {{kMax - 1, kTop - 1}, {kMax - 2, kTop - 2}, 1},
        {{kMax - 2, kTop - 2}, {kMax - 1, kTop - 1}, -1},
        {{kMax, kTop}, {kMax - 1, kTop - 1}, 0},
        {{kMax - 1, kTop - 1}, {kMax, kTop}, 0}};
    for (const auto& [a, b, order] : cases) {
        int32_t got = 99;
        Tal_Ratio min{}, max{};
        const Tal_Err err = Tal_CompareRatio(&a, &b, &got) | Tal_MinRatio(&a, &b, &min) |
                            Tal_MaxRatio(&a, &b, &max);
        EXPECT_EQ(std::tuple(err, got, min, max),
                  std::tuple(0, order, order > 0 ? b : a, order < 0 ? b : a))
            << a << " vs " << b;
    }
}

// An exact outcome holds the exact value; an allowed approximation is the nearest fraction.
TEST(RatioOperations, RandomOperandsMatchTheExactModel) {
    std::mt19937_64 rng(0x5EED0001);
    const int32_t nums[] = {kMin, kMax, 0, 1, -1, kBound, -kBound};
    const uint32_t dens[] = {1, 2, kTop, ~0u, ~1u, 0x7FFFFFFF};
    const auto width = [&rng] { return uint32_t(rng()) >> (rng() % 32); };  // edges one time in 12
    const auto ratio = [&]() -> Tal_Ratio {
        const int32_t num =
            rng() % 12 ? int32_t(rng() & 1 ? 0u - width() : width()) : nums[rng() % 7];
        return {num, rng() % 12 ? std::max(width(), 1u) : dens[rng() % 6]};
    };
    for (int i = 0; i < 30000; ++i) {
        const Tal_Ratio a = ratio(), b = ratio();
        for (const Op op : kRatioOps) {
            if (op == &kRatioDiv && (b.num == 0 || b.den >= kTop)) continue;  // in the table
            Tal_Ratio refused{}, allowed{}, nearest{};
            Tal_RatioStatus byte = 0, approx = 2;
            uint8_t overflow = 0;
            TakeReports();
            const Tal_Err err =
                op->apply(&a, &b, &refused, &byte) | op->apply(&a, &b, &allowed, &approx);
            Tal_FpLong2Ratio(op->Approximate(a, b), &nearest, &overflow);
            const bool exact = byte == 0;
            const bool refusedRight = exact ? op->Exact(a, b).HeldBy(refused) : refused == kFailed;
            const auto want = exact ? std::tuple(0, 0, true, refused, 0)
                                    : std::tuple(0, 1, true, nearest, overflow ? 1 : 2);
            ASSERT_EQ(std::tuple(err, int(byte), refusedRight, allowed, int(approx), TakeReports()),
                      std::tuple_cat(want, std::tuple(Reports{})))
                << a << " " << op->symbol << " " << b << " gave " << refused << " exactly, "
                << allowed << " approximately";
        }
    }
}

}  // namespace

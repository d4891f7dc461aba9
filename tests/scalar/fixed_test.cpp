// Fixed point, bit counts, overflow predictions, gcd and rounding against the slow models and
// exact 64-bit arithmetic; boundaries with their reports.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>

#include "scalar/integer_bits.h"
#include "support/fixed_model.h"
#include "support/reports.h"
#include "tal/fixed.h"
#include "tal/integer.h"

namespace {

using taltest::kFixedMark;
using Model = taltest::FixedModel;
using taltest::Reports;

const Reports kNone, kMulOver{taltest::Msg(0x110008, "overflow in fix24 multiply.")},
    kRatioOver{taltest::Msg(0x110009, "overflow in fix24 divide.")},
    kByZero{taltest::Msg(0x110009, "divide by zero in fix24 divide.")};

using Outcome = std::pair<int32_t, Reports>;  // the value and what was reported

Outcome Apply(int32_t (*op)(int32_t, int32_t), int32_t a, int32_t b) {
    taltest::ClearReports();
    const int32_t value = op(a, b);
    return {value, taltest::TakeReports()};
}

// Every pair of edges (16 and 17 trailing zeros, a divisor's dropped low bit, 8.24 results rounding
// to +-2^-24 and 2^31, at exactly 128 and -129 and just inside), then random widths and zeros.
TEST(FixedPoint, EdgesAndRandomOperandsMatchTheModel) {
    const int32_t edges[] = {
        kFixedMark, kFixedMark + 1, -0x10000,   -0x100,     -1,         0,          1,
        0x100,      0xFFFF,         0x10000,    0x10001,    0x10002,    0x30000,    0x1000000,
        0x7FFF0000, INT32_MAX,      0x7F000000, 0x2000000,  -0x1000000, 0x7FFFFF,   0x800000,
        -0x800000,  0x1010000,      0x1000001,  0x7FFFFF80, 0x8000000,  0x10000000, -0x8000000,
        0x10200000, 0x101FFFFF,     2,          -3,         128,        -129,       255,
        -257};
    constexpr int kEdges = sizeof edges / sizeof edges[0];
    std::mt19937 rng(1);
    const auto operand = [&rng](uint32_t zeros) {
        return int32_t(uint32_t(int32_t(rng()) >> (rng() % 32)) << zeros);
    };
    for (int i = 0; i < 60000; ++i) {
        const uint32_t zeros = rng() % 24;
        const int32_t a = i < kEdges * kEdges ? edges[i / kEdges] : operand(zeros % 12);
        const int32_t b = i < kEdges * kEdges ? edges[i % kEdges] : operand(zeros / 2);
        const double q = Model::Product24(a, b), r = Model::Ratio24(a, b);
        const Reports mulReport = Model::InRange24(q) ? kNone : kMulOver;
        const Reports ratioReport = b == 0 ? kByZero : Model::InRange24(r) ? kNone : kRatioOver;
        ASSERT_EQ(
            std::tuple(Tal_FixMul(a, b), Tal_FixDiv(a, b), Apply(Tal_Fix24Mul, a, b),
                       Apply(Tal_Fix24Ratio, a, b)),
            std::tuple(Model::Mul(a, b), Model::Div(a, b), Outcome{Model::Round24(q), mulReport},
                       Outcome{Model::Round24(r), ratioReport}))
            << "FixMul, FixDiv, Fix24Mul, Fix24Ratio of " << a << ", " << b;
    }
}

constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;

bool Fits(int64_t v) {
    return v == int32_t(v);
}

// Every 16-bit value in the low, middle and high bits, then random words of random width.
TEST(BitCounts, AllFormsAgreeWithBitLoops) {
    std::mt19937 rng(20240611);
    for (uint32_t i = 0; i < (3u << 16) + (1u << 18); ++i) {
        const uint32_t x =
            i < 3u << 16 ? (i & 0xFFFF) << (i >> 16) * 8 : uint32_t(rng()) >> (rng() % 32);
        const int lz = Model::LeadingZeros(x), tz = Model::TrailingZeros(x);
        const uint32_t down = x ? 0x80000000u >> lz : 0;
        const uint32_t up = down == x ? down : down << 1;  // above 2^31 no power fits: 0
        const int32_t used = int32_t(x) <= 0 ? 0 : 32 - lz;
        const auto got = std::tuple(int(Talp_LeadingZerosByNibbles(x)), int(Tal_LeadingZeros(x)),
                                    int(Talp_TrailingZerosByNibbles(x)), int(Tal_TrailingZeros(x)),
                                    Tal_BitsUsed(int32_t(x)), Tal_RoundUpToPowerOf2(x),
                                    Tal_RoundDownToPowerOf2(x));
        ASSERT_EQ(got, std::tuple(lz, lz, tz, tz, used, up, down)) << "x = " << x;
    }
}

// Multiplies are cautious: some products that fit are called overflows, never the reverse.
TEST(OverflowPredictionsAndGcd, AddIsExactMultipliesNeverMissGcdAndLcmMatchStd) {
    EXPECT_EQ(
        std::tuple(Tal_MulWouldOverflow(0x10000, 0x4000), Tal_MulWouldOverflow(0, kMin),
                   Tal_UMulWouldOverflow(0x10000, 0x8000), Tal_MulWouldOverflow(0xFFFF, 0x7FFF),
                   Tal_MulWouldOverflow(-0x8000, 0x7FFF), Tal_UMulWouldOverflow(0xFFFF, 0xFFFF)),
        std::tuple(true, true, true, false, false, false));
    const int32_t edges[] = {kMin, kMin + 1, -65536, -46341, -1, 0, 1, 46341, 65536, kMax};
    std::mt19937 rng(77);
    for (int i = 0; i < 200000; ++i) {
        const int32_t a = i < 100 ? edges[i / 10] : int32_t(rng()) >> (rng() % 32);
        const int32_t b = i < 100 ? edges[i % 10] : int32_t(rng()) >> (rng() % 32);
        const uint32_t ua = uint32_t(a), ub = uint32_t(b);
        int32_t g = 0, l = 0;
        uint32_t ug = 0, ul = 0;
        const Tal_Err err = Tal_SignedGCD(a, b, &g) | Tal_UnsignedGCD(ua, ub, &ug) |
                            Tal_SignedLCM(a, b, &l) | Tal_UnsignedLCM(ua, ub, &ul);
        // gcd(a, 0) is 1, so that a zero denominator never divides; |-2^31| and products wrap.
        const int32_t gcd = b ? int32_t(uint32_t(std::gcd(int64_t(a), int64_t(b)))) : 1;
        const uint32_t ugcd = ub ? std::gcd(ua, ub) : 1;
        const int64_t lcm = std::lcm(int64_t(a), int64_t(b)) * ((a ^ b) < 0 ? -1 : 1);
        const int64_t wrapped = Fits(int64_t(a) * b) ? lcm : int32_t(ua * ub) / gcd;
        const uint32_t ulcm = uint64_t(ua) * ub <= 0xFFFFFFFFu ? std::lcm(ua, ub) : ua * ub / ugcd;
        const bool mulCaught = Fits(int64_t(a) * b) || Tal_MulWouldOverflow(a, b);
        const bool umulCaught = uint64_t(ua) * ub >> 32 == 0 || Tal_UMulWouldOverflow(ua, ub);
        ASSERT_EQ(std::tuple(Tal_AddWouldOverflow(a, b), mulCaught, umulCaught, err, g, ug, l, ul),
                  std::tuple(!Fits(int64_t(a) + b), true, true, 0, gcd, ugcd, wrapped, ulcm))
            << "a = " << a << ", b = " << b;
    }
}

TEST(Rounding, NearestMultipleHalvesAwayFromZeroAndWraps) {
    const std::tuple<int32_t, int32_t, int32_t> cases[] = {
        {7, 5, 5},   {8, 5, 10},         {-5, 10, -10},           {1, 2, 2},
        {-7, 5, -5}, {kMax, kMax, kMax}, {kMin + 1, kMax, -kMax}, {kMin, 2, kMin},
        {5, 0, 5},   {-5, -3, -5},       {kMax, 4, kMin}};  // 2^31 wraps
    for (const auto& [x, m, expected] : cases)
        EXPECT_EQ(Tal_RoundToNearestMult(x, m), expected) << "x = " << x << ", m = " << m;
}

// The double sum with 0.5 may round across an integer, which the exact sum does not.
TEST(Rounding, DoublesRoundAsFloorOfTheDoubleSumWithAHalf) {
    const std::tuple<double, int32_t, int32_t> cases[] = {{2.5, 3, 3},
                                                          {-2.5, -2, -2},
                                                          {-0.5, 0, 0},
                                                          {2147483646.5, kMax, kMax},
                                                          {2147483647.5, kMin, kMax},
                                                          {-2147483647.5, -kMax, -kMax},
                                                          {-2147483647.5000002, kMin, kMin},
                                                          {NAN, kMin, kMin},
                                                          {INFINITY, kMin, kMax},
                                                          {-INFINITY, kMin, kMin},
                                                          {0.49999999999999994, 1, 1},
                                                          {-0.49999999999999994, -1, -1}};
    for (const auto& [d, round, safe] : cases)
        EXPECT_EQ(std::tuple(Tal_RoundDouble(d), Tal_RoundDoubleSafe(d)), std::tuple(round, safe))
            << "d = " << d;
}

}  // namespace

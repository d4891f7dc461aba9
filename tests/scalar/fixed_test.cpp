// Fixed-point multiply and divide: boundaries with their reports, then random operands against
// the slow model and against exact integer arithmetic.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "support/fixed_model.h"
#include "support/reports.h"
#include "tal/fixed.h"

namespace {

using taltest::kFixedMark;
using Reports = std::vector<taltest::Report>;

constexpr int64_t kUnitsPerOne = int64_t(1) << 24;
const Reports kNone{}, kMulOver{taltest::Msg(0x110008, "overflow in fix24 multiply.")},
    kRatioOver{taltest::Msg(0x110009, "overflow in fix24 divide.")},
    kByZero{taltest::Msg(0x110009, "divide by zero in fix24 divide.")};

struct Op {
    const char* name;
    int32_t (*apply)(int32_t, int32_t);
};
const Op kMul{"FixMul", Tal_FixMul}, kDiv{"FixDiv", Tal_FixDiv}, kMul24{"Fix24Mul", Tal_Fix24Mul},
    kRatio24{"Fix24Ratio", Tal_Fix24Ratio};

using Outcome = std::pair<int32_t, Reports>;  // the value and what was reported

Outcome Apply(const Op& op, int32_t a, int32_t b) {
    taltest::ClearReports();
    const int32_t value = op.apply(a, b);
    return {value, taltest::TakeReports()};
}

TEST(FixedPoint, BoundariesGiveTheValueAndReport) {
    const struct {
        Op op;
        int32_t a, b;
        Outcome expected;
    } cases[] = {
        {kMul, 0x10000, 0x10001, {0x10000, kNone}},  // 16 trailing zeros: both floored to 1/256
        {kMul, 0x10000, 0x10002, {0x10002, kNone}},  // 17: exact
        {kMul, kFixedMark, kFixedMark, {0, kNone}},  // wraps to the expected sign, undetected
        {kDiv, 0x30000, 0x10001, {0x30000, kNone}},  // the divisor's low bit dropped
        {kMul24, 0x7F000000, 0x2000000, {kFixedMark, kMulOver}},
        {kMul24, 0x7FFFFFFF, -0x1000000, {-0x7FFFFFFF, kNone}},
        {kMul24, 0x7FFFFF, 1, {0, kNone}},
        {kMul24, 0x800000, 1, {1, kNone}},  // 2^-25 rounds away from zero
        {kMul24, -0x800000, 1, {-1, kNone}},
        {kMul24, kFixedMark, 0x1010000, {kFixedMark, kNone}},  // -128.5 leaves 32 bits, unreported
        {kMul24, 0x1000001, 0x7FFFFF80, {kFixedMark, kNone}},  // 128 - 2^-41 rounds up to 2^31
        {kMul24, 0x8000000, 0x10000000, {kFixedMark, kMulOver}},   // exactly 128
        {kMul24, -0x8000000, 0x10200000, {kFixedMark, kMulOver}},  // exactly -129
        {kMul24, -0x8000000, 0x101FFFFF, {kFixedMark, kNone}},     // just above -129
        {kRatio24, 1, -3, {-0x555555, kNone}},
        {kRatio24, -257, 2, {kFixedMark, kNone}},
        {kRatio24, 0, 0, {kFixedMark, kByZero}},
        {kRatio24, 128, 1, {kFixedMark, kRatioOver}},
        {kRatio24, -129, 1, {kFixedMark, kRatioOver}},
        {kRatio24, kFixedMark, -1, {kFixedMark, kRatioOver}},
        {kRatio24, kFixedMark, kFixedMark, {0x1000000, kNone}},
        {kRatio24, -1, 0x2000000, {-1, kNone}},
        {kRatio24, 255, 2, {0x7F800000, kNone}}};
    for (const auto& c : cases)
        EXPECT_EQ(Apply(c.op, c.a, c.b), c.expected)
            << c.op.name << "(" << c.a << ", " << c.b << ")";
}

// An 8.24 result against the exact value, n / d units of 2^-24 (d > 0): outside (-129, 128) it is
// the mark with a report; inside it lies within 1.5 units of the exact value, or is the unreported
// mark where rounding leaves 32 bits. Every product fits in 64 bits: |n| < 2^62, d <= 2^31.
void ExpectNearExact(const Op& op, int32_t a, int32_t b, int64_t n, int64_t d,
                     const Reports& over) {
    const Outcome got = Apply(op, a, b);
    if (n >= 128 * kUnitsPerOne * d || n <= -129 * kUnitsPerOne * d) {
        EXPECT_EQ(got, (Outcome{kFixedMark, over})) << op.name << "(" << a << ", " << b << ")";
        return;
    }
    const uint64_t twiceError = 2 * uint64_t(std::abs(got.first * d - n));
    const bool roundsOut = got.first == kFixedMark && 2 * std::abs(n) > 255 * kUnitsPerOne * d;
    EXPECT_EQ(got.second, kNone) << op.name << "(" << a << ", " << b << ")";
    EXPECT_TRUE(roundsOut || twiceError <= 3 * uint64_t(d))
        << op.name << "(" << a << ", " << b << ") = " << ::testing::PrintToString(got)
        << ", exactly " << n << " / " << d << " units";
}

// Every pair of edge values, then operands of random width, often with trailing zeros so that
// the exact product paths are taken.
TEST(FixedPoint, RandomOperandsMatchTheModelAndTheExactValue) {
    const int32_t edges[] = {kFixedMark, kFixedMark + 1, -0x10000, -0x100,  -1,      0,
                             1,          0x100,          0xFFFF,   0x10000, 0x10001, 0x1000000,
                             0x7FFF0000, INT32_MAX};
    constexpr int kEdges = sizeof edges / sizeof edges[0];
    std::mt19937 rng(1);
    const auto operand = [&rng](uint32_t zeros) {
        return int32_t(uint32_t(int32_t(rng()) >> (rng() % 32)) << zeros);
    };
    for (int i = 0; i < 60000; ++i) {
        const uint32_t zeros = rng() % 24;
        const int32_t a = i < kEdges * kEdges ? edges[i / kEdges] : operand(zeros % 12);
        const int32_t b = i < kEdges * kEdges ? edges[i % kEdges] : operand(zeros / 2);
        ASSERT_EQ(Tal_FixMul(a, b), taltest::FixMulModel(a, b)) << a << " * " << b;
        ASSERT_EQ(Tal_FixDiv(a, b), taltest::FixDivModel(a, b)) << a << " / " << b;
        const double q = taltest::Fix24Product(a, b);
        const Reports mulReport = taltest::Fix24InRange(q) ? kNone : kMulOver;
        ASSERT_EQ(Apply(kMul24, a, b), (Outcome{taltest::Fix24Model(q), mulReport}))
            << "Fix24Mul(" << a << ", " << b << ")";
        const Reports ratioReport = b == 0                                 ? kByZero
                                    : taltest::Fix24InRange(double(a) / b) ? kNone
                                                                           : kRatioOver;
        const int32_t ratio = b == 0 ? kFixedMark : taltest::Fix24Model(double(a) / b);
        ASSERT_EQ(Apply(kRatio24, a, b), (Outcome{ratio, ratioReport}))
            << "Fix24Ratio(" << a << ", " << b << ")";
        // The double product may round onto a bound of the range, so not within 2^-42 of one.
        const int64_t product = int64_t(a) * b, bound = int64_t(128) << 48;
        if (std::min(std::abs(product - bound), std::abs(product + bound / 128 * 129)) >= 64)
            ExpectNearExact(kMul24, a, b, product, kUnitsPerOne, kMulOver);
        if (b != 0)
            ExpectNearExact(kRatio24, a, b, (b < 0 ? -int64_t(a) : a) * kUnitsPerOne,
                            std::abs(int64_t(b)), kRatioOver);
        if (HasFailure()) return;
    }
}

}  // namespace

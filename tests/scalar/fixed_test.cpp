// Fixed-point multiply and divide: boundaries with their reports, then random operands against
// the slow model.
#include <gtest/gtest.h>

#include <random>

#include "support/fixed_model.h"
#include "support/reports.h"
#include "tal/fixed.h"

namespace {

using taltest::kFixedMark;
using Model = taltest::FixedModel;
using taltest::Reports;

const Reports kNone, kMulOver{taltest::Msg(0x110008, "overflow in fix24 multiply.")},
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
    const std::tuple<Op, int32_t, int32_t, Outcome> cases[] = {
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
        {kRatio24, 128, 1, {kFixedMark, kRatioOver}},
        {kRatio24, -129, 1, {kFixedMark, kRatioOver}},
        {kRatio24, 255, 2, {0x7F800000, kNone}}};
    for (const auto& [op, a, b, expected] : cases)
        EXPECT_EQ(Apply(op, a, b), expected) << op.name << "(" << a << ", " << b << ")";
}

// Every pair of edge values, then operands of random width, often with trailing zeros so that
// the exact product paths are taken.
TEST(FixedPoint, RandomOperandsMatchTheModel) {
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
        const double q = Model::Product24(a, b), r = Model::Ratio24(a, b);
        const Reports mulReport = Model::InRange24(q) ? kNone : kMulOver;
        const Reports ratioReport = b == 0 ? kByZero : Model::InRange24(r) ? kNone : kRatioOver;
        ASSERT_EQ(
            std::tuple(Tal_FixMul(a, b), Tal_FixDiv(a, b), Apply(kMul24, a, b),
                       Apply(kRatio24, a, b)),
            std::tuple(Model::Mul(a, b), Model::Div(a, b), Outcome{Model::Round24(q), mulReport},
                       Outcome{Model::Round24(r), ratioReport}))
            << "FixMul, FixDiv, Fix24Mul, Fix24Ratio of " << a << ", " << b;
    }
}

}  // namespace

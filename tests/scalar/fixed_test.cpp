// Fixed-point multiply and divide against exact integer arithmetic, with the 8.24 reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "support/reports.h"
#include "tal/fixed.h"

namespace {

using taltest::Report;
using Reports = std::vector<Report>;
__extension__ typedef __int128 I128;

constexpr int32_t kMark = INT32_MIN, kMax = INT32_MAX;

bool Fits(int64_t v) {
    return v == int32_t(v);
}
const Report kMulOver = taltest::Msg(0x110008, "overflow in fix24 multiply."),
             kRatioOver = taltest::Msg(0x110009, "overflow in fix24 divide."),
             kByZero = taltest::Msg(0x110009, "divide by zero in fix24 divide.");

// * and / are 16.16 and never report; m and r are the 8.24 multiply and ratio.
int32_t Apply(char op, int32_t a, int32_t b) {
    constexpr decltype(&Tal_FixMul) kOps[] = {Tal_FixMul, Tal_FixDiv, Tal_Fix24Mul, Tal_Fix24Ratio};
    return kOps[std::string("*/mr").find(op)](a, b);
}

TEST(FixedPoint, BoundariesAndTheReportsTheyMake) {
    // clang-format off
    const struct { char op; int32_t a, b, expected; const Report* report; } cases[] = {
        // 16.16 boundaries; every pair of edge values is checked exactly below.
        {'*', 0x10000, 0x10001, 0x10000, {}} /* 16 + 0 trailing zeros: both floored to 1/256 */, {'*', 0x10000, 0x10002, 0x10002, {}},
        {'*', kMark, kMark, 0, {}} /* wraps to the expected sign, undetected */, {'/', 0x30000, 0x10001, 0x30000, {}} /* low bit dropped */,
        {'m', 0x7F000000, 0x2000000, kMark, &kMulOver}, {'m', 0x7FFFFFFF, -0x1000000, -0x7FFFFFFF, {}}, {'m', 0x7FFFFF, 1, 0, {}},
        {'m', 0x800000, 1, 1, {}} /* 2^-25, half away from zero */, {'m', -0x800000, 1, -1, {}}, {'r', 1, -3, -0x555555, {}},
        {'m', kMark, 0x1010000, kMark, {}} /* -128.5 rounds beyond 32 bits, unreported */, {'r', -257, 2, kMark, {}} /* so here */,
        {'m', 0x1000001, 0x7FFFFF80, kMark, {}} /* 128 - 2^-41 rounds up to 2^31, unreported */, {'r', 0, 0, kMark, &kByZero},
        {'m', 0x8000000, 0x10000000, kMark, &kMulOver} /* exactly 128 */, {'m', -0x8000000, 0x10200000, kMark, &kMulOver} /* -129 */,
        {'m', -0x8000000, 0x101FFFFF, kMark, {}} /* just above -129 */, {'r', 128, 1, kMark, &kRatioOver}, {'r', -129, 1, kMark, &kRatioOver},
        {'r', kMark, -1, kMark, &kRatioOver}, {'r', kMark, kMark, 0x1000000, {}}, {'r', -1, 0x2000000, -1, {}}, {'r', 255, 2, 0x7F800000, {}}};
    // clang-format on
    for (const auto& c : cases) {
        taltest::TakeReports();
        EXPECT_EQ(Apply(c.op, c.a, c.b), c.expected) << c.a << c.op << c.b;
        EXPECT_EQ(taltest::TakeReports(), c.report ? Reports{*c.report} : Reports{})
            << c.a << c.op << c.b;
    }
}

// Every pair of the edge values, then operands of random width, often with trailing zeros so
// that the exact product paths are taken. Every result is folded into a golden checksum.
TEST(FixedPoint, MatchExactReferencesOnRandomOperands) {
    const int32_t edges[] = {kMark, kMark + 1, -0x10000, -0x100,  -1,        0,          1,
                             0x100, 0xFFFF,    0x10000,  0x10001, 0x1000000, 0x7FFF0000, kMax};
    std::mt19937 rng(1);
    uint64_t h = 0xCBF29CE484222325ull;
    for (int i = 0; i < 100000; ++i) {
        const uint32_t zeros = rng() % 24, ra = uint32_t(int32_t(rng()) >> (rng() % 32))
                                                << zeros % 12;
        const int32_t a = i < 196 ? edges[i / 14] : int32_t(ra);
        const int32_t b = i < 196 ? edges[i % 14]
                                  : int32_t(uint32_t(int32_t(rng()) >> (rng() % 32)) << zeros / 2);
        // Product: exact past 16 trailing zeros, else from 1/256 floors; the mark on a wrong sign.
        const int64_t p = int64_t(a) * b,
                      v = p % (1 << 17) == 0 ? p / 65536 : (a >> 8) * int64_t(b >> 8);
        const int32_t wrapped = int32_t(uint32_t(uint64_t(v))), sign = (a < 0) != (b < 0) ? -1 : 1;
        ASSERT_EQ(Tal_FixMul(a, b),
                  !Fits(v) && (wrapped < 0) != (sign < 0) && wrapped ? kMark : wrapped)
            << a << " * " << b;
        // Quotient: truncated, the divisor dropping low bits where the dividend needs over 16.
        const uint64_t ua = uint64_t(std::abs(int64_t(a))), ub = uint64_t(std::abs(int64_t(b)));
        const int dropped = ua >> 16 ? int(std::log2(ua)) - 15 : 0;
        const uint64_t kept = ub >> dropped, q = kept ? (ua << (16 - dropped)) / kept : 0;
        ASSERT_EQ(Tal_FixDiv(a, b),
                  kept && Fits(sign * int64_t(q)) ? int32_t(sign * int64_t(q)) : kMark)
            << a << " / " << b;
        // 8.24 as N / D: the mark and a report exactly outside (-129, 128), else within an ulp
        // of the exactly rounded value; the double product may round onto a bound, so not there.
        for (char op : {'m', 'r'}) {
            const I128 N = op == 'm' ? I128(a) * b : I128(sign * std::abs(int64_t(a)));
            const I128 D = op == 'm' ? I128(1) << 48 : I128(std::abs(int64_t(b)));
            const int64_t gap =
                std::min(std::abs(int64_t(N - 128 * D)), std::abs(int64_t(N + 129 * D)));
            if (op == 'm' && gap < 64) continue;
            taltest::TakeReports();
            const int32_t result = Apply(op, a, b);
            const bool outside = D == 0 || N >= 128 * D || N <= -129 * D;
            const Report& report = D == 0 ? kByZero : op == 'm' ? kMulOver : kRatioOver;
            ASSERT_EQ(taltest::TakeReports(), outside ? Reports{report} : Reports{})
                << a << op << b;
            const int64_t r = int64_t((N * (1 << 24) + (N < 0 ? -D : D) / 2) / (outside ? 1 : D));
            const bool edge = result == kMark && (r <= INT32_MIN + 1 || r >= kMax);  // rounds out
            ASSERT_TRUE(outside ? result == kMark : edge || std::abs(r - result) <= 1)
                << a << op << b << " gave " << result;
        }
        for (char op : {'*', '/', 'm', 'r'})
            h = (h ^ uint32_t(Apply(op, a, b))) * 0x100000001B3ull;
    }
    taltest::TakeReports();
    EXPECT_EQ(h, 0xb50af4b8e5a65678ull) << std::hex << h;
}

}  // namespace

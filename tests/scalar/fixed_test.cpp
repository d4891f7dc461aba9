// Fixed-point multiply and divide against exact 64-bit arithmetic, with the 8.24 reports.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "support/reports.h"
#include "tal/fixed.h"

namespace {

using taltest::Msg;
using taltest::Report;
using taltest::TakeReports;

constexpr int32_t kMark = INT32_MIN;
constexpr int32_t kMax = INT32_MAX;
const std::vector<Report> kNone;
const Report kMulOverflow = Msg(0x110008, "overflow in fix24 multiply.");
const Report kRatioOverflow = Msg(0x110009, "overflow in fix24 divide.");
const Report kRatioByZero = Msg(0x110009, "divide by zero in fix24 divide.");

bool FitsInt32(int64_t v) {
    return v >= INT32_MIN && v <= INT32_MAX;
}

int TrailingZeroBits(int64_t v) {
    uint64_t m = uint64_t(v < 0 ? -v : v);
    if (m == 0) return 32;
    int n = 0;
    for (; (m & 1) == 0; m >>= 1)
        ++n;
    return n;
}

int LeadingZeroBits(uint64_t m) {
    int n = 0;
    for (uint64_t bit = 0x80000000u; bit != 0 && (m & bit) == 0; bit >>= 1)
        ++n;
    return n;
}

int64_t FloorDiv(int64_t a, int64_t d) {
    return a / d - ((a % d != 0) && ((a < 0) != (d < 0)));
}

int64_t Abs64(int64_t v) {
    return v < 0 ? -v : v;
}

// Rounds n / d (d > 0) half away from zero.
int64_t RoundHalfAway(int64_t n, int64_t d) {
    const int64_t q = (Abs64(n) + d / 2) / d;
    return n < 0 ? -q : q;
}

// Operands from raw generator bits with a random width, so every magnitude class shows up.
std::vector<std::pair<int32_t, int32_t>> RandomPairs(uint32_t seed, int count) {
    std::mt19937 rng(seed);
    std::vector<std::pair<int32_t, int32_t>> v;
    for (int i = 0; i < count; ++i) {
        const uint32_t shiftA = rng() % 32, shiftB = rng() % 32;
        const int32_t a = int32_t(rng()) >> shiftA;
        const int32_t b = int32_t(rng()) >> shiftB;
        // Trailing zeros too, so the exact product paths are taken often.
        const uint32_t zeros = rng() % 24;
        v.emplace_back(int32_t(uint32_t(a) << (zeros % 12)), int32_t(uint32_t(b) << (zeros / 2)));
    }
    const int32_t edges[] = {kMark, kMark + 1, -0x10000, -0x100,  -1,        0,          1,
                             0x100, 0xFFFF,    0x10000,  0x10001, 0x1000000, 0x7FFF0000, kMax};
    for (int32_t a : edges)
        for (int32_t b : edges)
            v.emplace_back(a, b);
    return v;
}

struct Case {
    int32_t a, b, expected;
};

TEST(FixMul, Boundaries) {
    const Case cases[] = {
        {0x10000, 0x10001, 0x10000},  // 16 + 0 trailing zeros: both floored to 1/256
        {0x10000, 0x10002, 0x10002},
        {0x8000, 0x8000, 0x4000},
        {0, kMark, 0},
        {kMark, 0, 0},
        {0x7FFF0000, 0x20000, kMark},
        {-0x100, 0x10000, -0x100},
        {0x10000, -1, -0x100},  // -1/65536 floors to -1/256
        {0x20000, -1, -2},
        {-1, -1, 1},  // each floors to -1/256
        {-1, 1, 0},
        {kMark, 0x10000, kMark},  // the legal -32768.0
        {kMark, kMark, 0},        // wraps to the expected sign, undetected
        {kMark, -0x10000, kMark},
        {kMax, 0x10000, 0x7FFFFF00},
        {0x7FFF8000, 0x10000, 0x7FFF8000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Tal_FixMul(c.a, c.b), c.expected) << c.a << " * " << c.b;
}

// The product by exact paths where the trailing zeros allow, else from the 1/256 floors.
int64_t FixMulUnwrapped(int32_t a, int32_t b) {
    const int ta = TrailingZeroBits(a), tb = TrailingZeroBits(b);
    if (ta > 16 || ta + tb > 16) return int64_t(a) * b / 65536;
    const int64_t lossy = FloorDiv(a, 256) * FloorDiv(b, 256);
    // Loss bound: up to 255/256 of each operand, plus the product of the two lost parts.
    EXPECT_LE(Abs64(lossy * 65536 - int64_t(a) * b), 256 * (Abs64(a) + Abs64(b)) + 65536);
    return lossy;
}

TEST(FixMul, MatchesExactProductsAndMarksExactlyTheWrongSigns) {
    for (auto [a, b] : RandomPairs(1, 100000)) {
        const int64_t v = FixMulUnwrapped(a, b);
        int32_t expected = int32_t(uint32_t(uint64_t(v)));
        const bool negative = (a < 0) != (b < 0);
        if (!FitsInt32(v) && (negative ? expected > 0 : expected < 0)) expected = kMark;
        ASSERT_EQ(Tal_FixMul(a, b), expected) << a << " * " << b;
        ASSERT_EQ(Tal_FixMul(b, a), Tal_FixMul(a, b)) << a << " * " << b;
    }
}

TEST(FixDiv, Boundaries) {
    const Case cases[] = {
        {5, 0, kMark},
        {0, 0, kMark},
        {kMark, 0, kMark},
        {1, 3, 0x5555},
        {-1, 3, -0x5555},
        {0, -5, 0},
        {0x7FFFFFFF, 0x10000, 0x7FFFFFFF},
        {0x30000, 0x10001, 0x30000},  // the divisor's low bit is dropped
        {kMark, 0x10000, kMark},      // the legal -32768.0
        {kMark, -0x10000, kMark},     // +32768.0 does not fit
        {0x7FFFFFFF, 1, kMark},       // the divisor shifts out to 0
        {0x10000, 0x10000, 0x10000},
        {0x8000, 0x10000, 0x8000},
        {0x7FFF0000, 0x7FFF0000, 0x10000},
        {0x4000, 0x8000, 0x8000},
        {0x8000, 1, kMark},
        {-0x8000, 1, kMark},  // the legal -32768.0
        {0x7FFF, 1, 0x7FFF0000},
        {-0x8000, 2, -0x40000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Tal_FixDiv(c.a, c.b), c.expected) << c.a << " / " << c.b;
}

TEST(FixDiv, ExactBelowSixteenBitsWithinTheDivisorLossAbove) {
    for (auto [a, b] : RandomPairs(2, 100000)) {
        if (b == 0) continue;
        const uint64_t ua = uint64_t(Abs64(a)), ub = uint64_t(Abs64(b));
        const uint64_t exact = (ua << 16) / ub;  // truncated |a| * 65536 / |b|
        const int z = LeadingZeroBits(ua);
        uint64_t q = exact;
        if (z < 16) {
            const uint64_t kept = ub >> (16 - z);
            if (kept == 0) {
                ASSERT_EQ(Tal_FixDiv(a, b), kMark) << a << " / " << b;
                continue;
            }
            q = (ua << z) / kept;
            // Dropping divisor bits only grows the quotient, by at most a factor 1 + 1/kept.
            ASSERT_GE(q, exact);
            ASSERT_LE(q - exact, exact / kept + 1);
        }
        const bool negative = (a < 0) != (b < 0);
        const int64_t v = negative ? -int64_t(q) : int64_t(q);
        ASSERT_EQ(Tal_FixDiv(a, b), FitsInt32(v) ? int32_t(v) : kMark) << a << " / " << b;
    }
}

TEST(FixedPair, ReportsNothing) {
    TakeReports();
    EXPECT_EQ(Tal_FixDiv(3, 0), kMark);
    EXPECT_EQ(Tal_FixMul(0x7FFF0000, 0x20000), kMark);
    EXPECT_EQ(TakeReports(), kNone);
}

struct Fix24Case {
    int32_t a, b, expected;
    std::vector<Report> reports;
};

TEST(Fix24Mul, BoundariesAndReports) {
    const Fix24Case cases[] = {
        {0x1000000, 0x1000000, 0x1000000, {}},
        {0x7F000000, 0x2000000, kMark, {kMulOverflow}},
        {kMark, kMark, kMark, {kMulOverflow}},
        {kMark, 0x1000000, kMark, {}},       // the legal -128.0
        {kMark, 0x1010000, kMark, {}},       // -128.5 rounds beyond 32 bits
        {0x1000001, 0x7FFFFF80, kMark, {}},  // 128 - 2^-41 rounds up to 2^31
        {0x7FFFFFFF, -0x1000000, -0x7FFFFFFF, {}},
        {0x800000, 1, 1, {}},  // 2^-25: half away from zero
        {-0x800000, 1, -1, {}},
        {0x7FFFFF, 1, 0, {}},
        {1, 1, 0, {}},
        {0, kMark, 0, {}},
        {0x8000000, 0x10000000, kMark, {kMulOverflow}},   // exactly 128
        {-0x8000000, 0x10200000, kMark, {kMulOverflow}},  // exactly -129
        {-0x8000000, 0x101FFFFF, kMark, {}},              // just above -129, below -128
    };
    for (const Fix24Case& c : cases) {
        TakeReports();
        EXPECT_EQ(Tal_Fix24Mul(c.a, c.b), c.expected) << c.a << " * " << c.b;
        EXPECT_EQ(TakeReports(), c.reports) << c.a << " * " << c.b;
    }
}

TEST(Fix24Ratio, BoundariesAndReports) {
    const Fix24Case cases[] = {
        {1, 3, 0x555555, {}},
        {-1, 3, -0x555555, {}},
        {1, -3, -0x555555, {}},
        {3, 0, kMark, {kRatioByZero}},
        {0, 0, kMark, {kRatioByZero}},
        {128, 1, kMark, {kRatioOverflow}},
        {-257, 2, kMark, {}},  // -128.5 rounds beyond 32 bits
        {-128, 1, kMark, {}},  // the legal -128.0
        {-129, 1, kMark, {kRatioOverflow}},
        {kMark, -1, kMark, {kRatioOverflow}},
        {kMark, kMark, 0x1000000, {}},
        {1, 0x2000000, 1, {}},  // 2^-25: half away from zero
        {-1, 0x2000000, -1, {}},
        {255, 2, 0x7F800000, {}},
        {0, -7, 0, {}},
    };
    for (const Fix24Case& c : cases) {
        TakeReports();
        EXPECT_EQ(Tal_Fix24Ratio(c.a, c.b), c.expected) << c.a << " / " << c.b;
        EXPECT_EQ(TakeReports(), c.reports) << c.a << " / " << c.b;
    }
}

// Checks an 8.24 result against the exactly rounded value r: equal when the double steps are exact,
// else within 1 ulp of 8.24; the mark where r leaves 32 bits (or lies within 1 ulp of leaving).
void ExpectNearRounded(int32_t result, int64_t r, bool exactInDouble) {
    if (exactInDouble) {
        ASSERT_EQ(result, FitsInt32(r) ? int32_t(r) : kMark) << r;
    } else if (result == kMark) {
        ASSERT_TRUE(r <= INT32_MIN + 1 || r >= INT32_MAX) << r;
    } else {
        ASSERT_LE(Abs64(result - r), 1) << r;
    }
}

constexpr int64_t kTwo48 = int64_t(1) << 48;

TEST(Fix24Mul, MatchesExactProductAndReportsExactlyOutOfRange) {
    for (auto [a, b] : RandomPairs(3, 20000)) {
        const int64_t p = int64_t(a) * b;  // value p / 2^48
        // The double product can round onto a bound; keep clear of them.
        if (Abs64(p - 128 * kTwo48) < 64 || Abs64(p + 129 * kTwo48) < 64) continue;
        TakeReports();
        const int32_t result = Tal_Fix24Mul(a, b);
        if (p >= 128 * kTwo48 || p <= -129 * kTwo48) {
            ASSERT_EQ(result, kMark);
            ASSERT_EQ(TakeReports(), std::vector<Report>{kMulOverflow}) << a << " * " << b;
            continue;
        }
        ASSERT_EQ(TakeReports(), kNone) << a << " * " << b;
        ExpectNearRounded(result, RoundHalfAway(p, int64_t(1) << 24),
                          Abs64(p) < (int64_t(1) << 53));
    }
}

TEST(Fix24Ratio, MatchesExactQuotientAndReportsExactlyOutOfRange) {
    for (auto [a, b] : RandomPairs(4, 20000)) {
        TakeReports();
        const int32_t result = Tal_Fix24Ratio(a, b);
        if (b == 0) {
            ASSERT_EQ(result, kMark);
            ASSERT_EQ(TakeReports(), std::vector<Report>{kRatioByZero});
            continue;
        }
        const int64_t num = b < 0 ? -int64_t(a) : a, den = Abs64(b);
        if (num >= 128 * den || num <= -129 * den) {
            ASSERT_EQ(result, kMark);
            ASSERT_EQ(TakeReports(), std::vector<Report>{kRatioOverflow}) << a << " / " << b;
            continue;
        }
        ASSERT_EQ(TakeReports(), kNone) << a << " / " << b;
        const int64_t scaled = num * (int64_t(1) << 24);
        // A quotient that is a multiple of 2^-25 is exact in double, and so is its rounding.
        ExpectNearRounded(result, RoundHalfAway(scaled, den), (scaled * 2) % den == 0);
    }
}

uint64_t Fold(uint64_t h, int32_t v) {
    for (int i = 0; i < 4; ++i)
        h = (h ^ ((uint32_t(v) >> (8 * i)) & 0xFFu)) * 0x100000001B3ull;
    return h;
}

// Pins every bit of 40 000 results of each operation; the properties above say why they are right.
TEST(FixedPoint, GoldenChecksum) {
    uint64_t h = 0xCBF29CE484222325ull;
    for (auto [a, b] : RandomPairs(5, 40000)) {
        h = Fold(h, Tal_FixMul(a, b));
        h = Fold(h, Tal_FixDiv(a, b));
        h = Fold(h, Tal_Fix24Mul(a, b));
        h = Fold(h, Tal_Fix24Ratio(a, b));
    }
    TakeReports();
    EXPECT_EQ(h, 0xD9CA7D17B2F2115Full) << std::hex << h;
}

}  // namespace

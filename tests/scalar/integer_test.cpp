// Integer utilities against independent references: bit loops, exact 64-bit arithmetic, std::gcd.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

#include "scalar/integer_bits.h"
#include "tal/integer.h"

namespace {

constexpr int32_t kMin = INT32_MIN;
constexpr int32_t kMax = INT32_MAX;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

int NaiveLeadingZeros(uint32_t x) {
    int n = 0;
    for (uint32_t bit = 0x80000000u; bit != 0 && (x & bit) == 0; bit >>= 1)
        ++n;
    return n;
}

int NaiveTrailingZeros(uint32_t x) {
    int n = 0;
    for (uint32_t bit = 1; bit != 0 && (x & bit) == 0; bit <<= 1)
        ++n;
    return n;
}

// Every 16-bit value in both halves, the single bits and their neighbours, then a random sample.
std::vector<uint32_t> BitCountInputs() {
    std::vector<uint32_t> v;
    for (uint32_t x = 0; x <= 0xFFFFu; ++x) {
        v.push_back(x);
        v.push_back(x << 16);
    }
    for (int i = 0; i < 32; ++i) {
        const uint32_t bit = 1u << i;
        v.insert(v.end(), {bit - 1, bit, bit + 1, ~bit, 0u - bit});
    }
    std::mt19937 rng(20240611);
    for (int i = 0; i < 1 << 20; ++i)
        v.push_back(uint32_t(rng()) >> (rng() % 32));
    return v;
}

TEST(BitCounts, HardwareAndNibbleSearchAgreeWithABitLoop) {
    for (uint32_t x : BitCountInputs()) {
        const int lz = NaiveLeadingZeros(x), tz = NaiveTrailingZeros(x);
        ASSERT_EQ(talp::LeadingZerosByNibbles(x), lz) << std::hex << x;
        ASSERT_EQ(talp::LeadingZeros(x), lz) << std::hex << x;
        ASSERT_EQ(Tal_LeadingZeros(x), lz) << std::hex << x;
        ASSERT_EQ(talp::TrailingZerosByNibbles(x), tz) << std::hex << x;
        ASSERT_EQ(talp::TrailingZeros(x), tz) << std::hex << x;
        ASSERT_EQ(Tal_TrailingZeros(x), tz) << std::hex << x;
    }
}

struct UnaryCase {
    uint32_t x;
    int16_t leading, trailing;
    uint32_t up, down;
};

TEST(BitCounts, Boundaries) {
    const UnaryCase cases[] = {
        {0, 32, 32, 0, 0},
        {1, 31, 0, 1, 1},
        {3, 30, 0, 4, 2},
        {0x80000000u, 0, 31, 0x80000000u, 0x80000000u},
        {0x80000001u, 0, 0, 0, 0x80000000u},
        {0xFFFFFFFFu, 0, 0, 0, 0x80000000u},
        {0x40000001u, 1, 0, 0x80000000u, 0x40000000u},
        {0x00010000u, 15, 16, 0x10000u, 0x10000u},
    };
    for (const UnaryCase& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(Tal_LeadingZeros(c.x), c.leading);
        EXPECT_EQ(Tal_TrailingZeros(c.x), c.trailing);
        EXPECT_EQ(Tal_RoundUpToPowerOf2(c.x), c.up);
        EXPECT_EQ(Tal_RoundDownToPowerOf2(c.x), c.down);
    }
}

TEST(PowersOfTwo, MatchA64BitSearch) {
    for (uint32_t x : BitCountInputs()) {
        if (x == 0) continue;
        uint64_t up = 1, down = 1;
        while (up < x)
            up <<= 1;
        while (down * 2 <= x)
            down <<= 1;
        ASSERT_EQ(Tal_RoundUpToPowerOf2(x), uint32_t(up)) << x;  // 2^32 wraps to 0
        ASSERT_EQ(Tal_RoundDownToPowerOf2(x), uint32_t(down)) << x;
    }
}

TEST(BitsUsed, NothingForNonPositiveElseWidth) {
    const struct {
        int32_t x;
        int16_t bits;
    } cases[] = {{kMin, 0}, {-5, 0},  {-1, 0},  {0, 0},    {1, 1},
                 {2, 2},    {255, 8}, {256, 9}, {kMax, 31}};
    for (const auto& c : cases)
        EXPECT_EQ(Tal_BitsUsed(c.x), c.bits) << c.x;
}

std::vector<std::pair<int32_t, int32_t>> SignedPairs() {
    const int32_t edges[] = {kMin, kMin + 1, -65536, -46341, -46340, -2,    -1,       0,
                             1,    2,        46340,  46341,  65535,  65536, kMax - 1, kMax};
    std::vector<std::pair<int32_t, int32_t>> v;
    for (int32_t a : edges)
        for (int32_t b : edges)
            v.emplace_back(a, b);
    std::mt19937 rng(77);
    for (int i = 0; i < 200000; ++i) {
        // Random widths make every magnitude class likely, not only the huge ones.
        const int32_t a = int32_t(rng()) >> (rng() % 32);
        const int32_t b = int32_t(rng()) >> (rng() % 32);
        v.emplace_back(a, b);
    }
    return v;
}

bool FitsInt32(int64_t v) {
    return v >= kMin && v <= kMax;
}

TEST(OverflowPredictions, AddIsExact) {
    EXPECT_TRUE(Tal_AddWouldOverflow(kMax, 1));
    EXPECT_FALSE(Tal_AddWouldOverflow(-1, 1));
    EXPECT_TRUE(Tal_AddWouldOverflow(kMin, -1));
    EXPECT_FALSE(Tal_AddWouldOverflow(kMin, 0));
    for (auto [a, b] : SignedPairs())
        ASSERT_EQ(Tal_AddWouldOverflow(a, b), !FitsInt32(int64_t(a) + b)) << a << " + " << b;
}

TEST(OverflowPredictions, MulIsCautiousNeverMissesAnOverflow) {
    const struct {
        int32_t a, b;
        bool predicted;
    } cases[] = {{0x10000, 0x4000, true}, {0, kMin, true},         {kMin, 1, true},
                 {0x8000, 0x7FFF, false}, {-0x8000, 0x8000, true}, {46340, 46340, true},
                 {0xFFFF, 0x7FFF, false}, {0, 0, false},           {1, kMax, true}};
    for (const auto& c : cases)
        EXPECT_EQ(Tal_MulWouldOverflow(c.a, c.b), c.predicted) << c.a << " * " << c.b;
    for (auto [a, b] : SignedPairs())
        if (!FitsInt32(int64_t(a) * b)) {
            ASSERT_TRUE(Tal_MulWouldOverflow(a, b)) << a << " * " << b;
        }
}

TEST(OverflowPredictions, UMulIsCautiousNeverMissesAnOverflow) {
    EXPECT_TRUE(Tal_UMulWouldOverflow(0x10000, 0x8000));
    EXPECT_FALSE(Tal_UMulWouldOverflow(0xFFFF, 0xFFFF));
    EXPECT_TRUE(Tal_UMulWouldOverflow(0x10000, 0x10000));
    for (auto [a, b] : SignedPairs()) {
        const uint32_t ua = uint32_t(a), ub = uint32_t(b);
        if (uint64_t(ua) * ub > 0xFFFFFFFFu) {
            ASSERT_TRUE(Tal_UMulWouldOverflow(ua, ub)) << ua << " * " << ub;
        }
    }
}

TEST(GCD, ZeroSecondArgumentGivesOneAndFirstGivesMagnitude) {
    const struct {
        int32_t a, b, gcd, lcm;
    } cases[] = {{12, 0, 1, 0},      {0, -12, 12, 0},      {-12, 18, 6, -36},
                 {-4, 6, 2, -12},    {0, 0, 1, 0},         {-7, -7, 7, 7},
                 {1, kMax, 1, kMax}, {kMax, kMax, kMax, 0}};  // the product wraps to 1
    for (const auto& c : cases) {
        int32_t g = -99, l = -99;
        EXPECT_EQ(Tal_SignedGCD(c.a, c.b, &g), 0);
        EXPECT_EQ(Tal_SignedLCM(c.a, c.b, &l), 0);
        EXPECT_EQ(g, c.gcd) << c.a << ", " << c.b;
        EXPECT_EQ(l, c.lcm) << c.a << ", " << c.b;
    }
    uint32_t u = 0;
    EXPECT_EQ(Tal_UnsignedGCD(0xFFFFFFFFu, 0, &u), 0);
    EXPECT_EQ(u, 1u);
    EXPECT_EQ(Tal_UnsignedLCM(4, 6, &u), 0);
    EXPECT_EQ(u, 12u);
    Tal_UnsignedGCD(0, 0xFFFFFFFFu, &u);
    EXPECT_EQ(u, 0xFFFFFFFFu);
}

TEST(GCD, MinimumMagnitudeNeitherTrapsNorGoesNegative) {
    const struct {
        int32_t a, b, gcd, lcm;
    } cases[] = {{kMin, 6, 2, 0},  // product wraps to 0
                 {6, kMin, 2, 0},       {kMin, 1, 1, kMin},
                 {kMin, -1, 1, kMin},  // -2^31 * -1 wraps
                 {kMin, kMin, kMin, 0}, {0, kMin, kMin, 0},
                 {kMin, 0, 1, 0},       {kMin, 0x10000, 0x10000, 0}};
    for (const auto& c : cases) {
        int32_t g = 0, l = 0;
        Tal_SignedGCD(c.a, c.b, &g);
        Tal_SignedLCM(c.a, c.b, &l);
        EXPECT_EQ(g, c.gcd) << c.a << ", " << c.b;
        EXPECT_EQ(l, c.lcm) << c.a << ", " << c.b;
    }
}

TEST(GCD, AgreesWithStdWhereDefinedTheSame) {
    for (auto [a, b] : SignedPairs()) {
        if (b == 0 || a == kMin || b == kMin) continue;
        int32_t g = 0, l = 0;
        Tal_SignedGCD(a, b, &g);
        ASSERT_EQ(g, std::gcd(a, b)) << a << ", " << b;
        const uint32_t ua = uint32_t(a), ub = uint32_t(b);
        uint32_t ug = 0, ul = 0;
        Tal_UnsignedGCD(ua, ub, &ug);
        ASSERT_EQ(ug, std::gcd(ua, ub)) << ua << ", " << ub;
        const int64_t lcm = std::lcm(int64_t(a), int64_t(b));
        if (FitsInt32(int64_t(a) * b)) {
            Tal_SignedLCM(a, b, &l);
            ASSERT_EQ(l, (int64_t(a) * b < 0 ? -lcm : lcm)) << a << ", " << b;
        }
        if (uint64_t(ua) * ub <= 0xFFFFFFFFu) {
            Tal_UnsignedLCM(ua, ub, &ul);
            ASSERT_EQ(ul, std::lcm(ua, ub)) << ua << ", " << ub;
        }
    }
}

// Nearest multiple, halves away from zero, chosen by comparing the two distances exactly.
int64_t NearestMultiple(int64_t x, int64_t m) {
    int64_t lower = x / m * m;
    if (lower > x) lower -= m;
    const int64_t below = x - lower, above = lower + m - x;
    if (below != above) return below < above ? lower : lower + m;
    return x > 0 ? lower + m : lower;
}

TEST(RoundToNearestMult, Boundaries) {
    const struct {
        int32_t x, m, expected;
    } cases[] = {{7, 5, 5},
                 {8, 5, 10},
                 {5, 10, 10},
                 {-5, 10, -10},
                 {-7, 5, -5},
                 {0, 7, 0},
                 {3, 1, 3},
                 {-1, 2, -2},
                 {1, 2, 2},
                 {kMax, kMax, kMax},
                 {kMin + 1, kMax, -kMax},
                 {kMin, 2, kMin},
                 {5, 0, 5},
                 {-5, -3, -5},
                 {kMin, 0, kMin}};
    for (const auto& c : cases)
        EXPECT_EQ(Tal_RoundToNearestMult(c.x, c.m), c.expected) << c.x << ", " << c.m;
}

TEST(RoundToNearestMult, IsNearestAndOddWhereverTheAnswerFits) {
    std::mt19937 rng(5);
    for (int i = 0; i < 200000; ++i) {
        const int32_t x = int32_t(rng()) >> (rng() % 32);
        const int32_t m = int32_t(rng() >> 1) >> (rng() % 31);
        if (m <= 0) continue;
        const int64_t expected = NearestMultiple(x, m);
        if (!FitsInt32(expected)) continue;
        ASSERT_EQ(Tal_RoundToNearestMult(x, m), expected) << x << ", " << m;
        if (x != kMin) {
            ASSERT_EQ(Tal_RoundToNearestMult(-x, m), -expected) << -x << ", " << m;
        }
    }
}

// floor(d + 0.5) with no rounding of the sum: split d into its floor and fraction, both exact.
int64_t ExactRoundHalfUp(double d) {
    const double f = std::floor(d);
    return int64_t(f) + (d - f >= 0.5 ? 1 : 0);
}

int32_t ExpectedRound(double d) {
    if (std::isnan(d) || std::fabs(d) > 4e9) return kMin;
    const int64_t r = ExactRoundHalfUp(d);
    return FitsInt32(r) ? int32_t(r) : kMin;
}

int32_t ExpectedRoundSafe(double d) {
    if (std::isnan(d)) return kMin;
    if (std::fabs(d) > 4e9) return d > 0 ? kMax : kMin;
    const int64_t r = ExactRoundHalfUp(d);
    return r > kMax ? kMax : r < kMin ? kMin : int32_t(r);
}

// The one pair where the sum d + 0.5 in double precision rounds across an integer: the ties to
// even of 1 - 2^-54 lift +0.49999999999999994 to 1, and step -0.49999999999999994 down to -1.
constexpr double kJustBelowHalf = 0.49999999999999994;

TEST(RoundDouble, Boundaries) {
    const struct {
        double d;
        int32_t round, safe;
    } cases[] = {
        {2.5, 3, 3},
        {-2.5, -2, -2},
        {-2.7, -3, -3},
        {-0.5, 0, 0},
        {-0.0, 0, 0},
        {0.0, 0, 0},
        {1e10, kMin, kMax},
        {-1e10, kMin, kMin},
        {2147483646.6, kMax, kMax},
        {2147483646.5, kMax, kMax},
        {2147483647.4999998, kMax, kMax},
        {2147483647.5, kMin, kMax},
        {-2147483647.5, -2147483647, -2147483647},
        {-2147483647.5000002, kMin, kMin},
        {-2147483648.5, kMin, kMin},
        {-2147483648.5000005, kMin, kMin},
        {kJustBelowHalf, 1, 1},
        {-kJustBelowHalf, -1, -1},
        {kNaN, kMin, kMin},
        {kInf, kMin, kMax},
        {-kInf, kMin, kMin},
        {4.9e-324, 0, 0},
        {-4.9e-324, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Tal_RoundDouble(c.d), c.round) << c.d;
        EXPECT_EQ(Tal_RoundDoubleSafe(c.d), c.safe) << c.d;
    }
}

// The rounding rule step by step, as a model for the branch-free floor the library computes.
int32_t TruncateOrMark(double v) {
    return v > -2147483649.0 && v < 2147483648.0 ? int32_t(v) : kMin;
}

int32_t HalvingRule(double d) {
    if (d > 0) return TruncateOrMark(d + 0.5);
    const int32_t t = TruncateOrMark(d + 0.5);
    return double(t) == d + 0.5 ? TruncateOrMark(d) : TruncateOrMark(d - 0.5);
}

TEST(RoundDouble, MatchesExactFloorOfDPlusHalfExceptTheNamedPair) {
    std::vector<double> inputs;
    std::mt19937_64 rng(99);
    for (int i = 0; i < 200000; ++i) {
        const double scale = std::ldexp(1.0, int(rng() % 48) - 8);
        inputs.push_back((double(int64_t(rng() >> 11)) / 9007199254740992.0 - 0.5) * scale);
    }
    // Halves and their neighbours at every magnitude, where rounding errors would show.
    for (int e = -2; e <= 32; ++e) {
        for (double k : {std::ldexp(1.0, e), std::ldexp(1.0, e) - 1, std::ldexp(1.0, e) + 1}) {
            for (double h : {std::floor(k) + 0.5, -std::floor(k) - 0.5}) {
                inputs.insert(inputs.end(), {h, std::nextafter(h, kInf), std::nextafter(h, -kInf)});
            }
        }
    }
    inputs.insert(inputs.end(), {kJustBelowHalf, -kJustBelowHalf, kNaN, kInf, -kInf, 0.0, -0.0});
    for (double d : inputs) {
        ASSERT_EQ(Tal_RoundDouble(d), HalvingRule(d)) << d;
        if (std::fabs(d) == kJustBelowHalf || std::isnan(d)) continue;
        ASSERT_EQ(Tal_RoundDouble(d), ExpectedRound(d)) << d;
        ASSERT_EQ(Tal_RoundDoubleSafe(d), ExpectedRoundSafe(d)) << d;
    }
}

}  // namespace

// Integer utilities against independent references: bit loops, exact 64-bit arithmetic, std::gcd.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <tuple>

#include "scalar/integer_bits.h"
#include "support/fixed_model.h"
#include "tal/integer.h"

namespace {

constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;

bool Fits(int64_t v) {
    return v == int32_t(v);
}

// Every 16-bit value in the low, middle and high bits, then random words of random width; the
// nibble forms are the fallbacks of targets without a bit-scan builtin.
TEST(BitCounts, AllFormsAgreeWithBitLoops) {
    std::mt19937 rng(20240611);
    for (uint32_t i = 0; i < (3u << 16) + (1u << 18); ++i) {
        const uint32_t x =
            i < 3u << 16 ? (i & 0xFFFF) << (i >> 16) * 8 : uint32_t(rng()) >> (rng() % 32);
        const int lz = taltest::LeadingZeros(x), tz = taltest::TrailingZeros(x);
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

TEST(OverflowPredictions, MultiplyIsCautiousAtTheseProductsThatFit) {
    EXPECT_TRUE(Tal_MulWouldOverflow(0x10000, 0x4000));
    EXPECT_TRUE(Tal_MulWouldOverflow(0, kMin));
    EXPECT_TRUE(Tal_UMulWouldOverflow(0x10000, 0x8000));
    // The largest products still let through.
    EXPECT_FALSE(Tal_MulWouldOverflow(0xFFFF, 0x7FFF));
    EXPECT_FALSE(Tal_MulWouldOverflow(-0x8000, 0x7FFF));
    EXPECT_FALSE(Tal_UMulWouldOverflow(0xFFFF, 0xFFFF));
}

// Every pair of edge values, then random values of random width.
TEST(OverflowPredictionsAndGcd, AddIsExactMultipliesNeverMissGcdAndLcmMatchStd) {
    const int32_t edges[] = {kMin, kMin + 1, -65536, -46341, -1, 0, 1, 46341, 65536, kMax};
    std::mt19937 rng(77);
    for (int i = 0; i < 200000; ++i) {
        const int32_t a = i < 100 ? edges[i / 10] : int32_t(rng()) >> (rng() % 32);
        const int32_t b = i < 100 ? edges[i % 10] : int32_t(rng()) >> (rng() % 32);
        const uint32_t ua = uint32_t(a), ub = uint32_t(b);
        ASSERT_EQ(Tal_AddWouldOverflow(a, b), !Fits(int64_t(a) + b)) << a << " + " << b;
        ASSERT_TRUE(Fits(int64_t(a) * b) || Tal_MulWouldOverflow(a, b)) << a << " * " << b;
        ASSERT_TRUE(uint64_t(ua) * ub >> 32 == 0 || Tal_UMulWouldOverflow(ua, ub))
            << ua << " * " << ub;
        int32_t g = 0, l = 0;
        uint32_t ug = 0, ul = 0;
        const Tal_Err err = Tal_SignedGCD(a, b, &g) | Tal_UnsignedGCD(ua, ub, &ug) |
                            Tal_SignedLCM(a, b, &l) | Tal_UnsignedLCM(ua, ub, &ul);
        // gcd(a, 0) is 1, so that a zero denominator never divides; |-2^31| wraps to itself. A
        // product beyond 32 bits wraps before the division.
        const int32_t gcd = b ? int32_t(uint32_t(std::gcd(int64_t(a), int64_t(b)))) : 1;
        const uint32_t ugcd = ub ? std::gcd(ua, ub) : 1;
        const int64_t lcm = std::lcm(int64_t(a), int64_t(b)) * ((a ^ b) < 0 ? -1 : 1);
        const int64_t wrapped = Fits(int64_t(a) * b) ? lcm : int32_t(ua * ub) / gcd;
        const uint32_t ulcm = uint64_t(ua) * ub <= 0xFFFFFFFFu ? std::lcm(ua, ub) : ua * ub / ugcd;
        ASSERT_EQ(std::tuple(err, g, ug, l, ul), std::tuple(0, gcd, ugcd, wrapped, ulcm))
            << "a = " << a << ", b = " << b;
    }
}

TEST(Rounding, NearestMultipleHalvesAwayFromZeroAndWraps) {
    const struct {
        int32_t x, m, expected;
    } cases[] = {
        {7, 5, 5},   {8, 5, 10},         {-5, 10, -10},           {1, 2, 2},
        {-7, 5, -5}, {kMax, kMax, kMax}, {kMin + 1, kMax, -kMax}, {kMin, 2, kMin},
        {5, 0, 5},   {-5, -3, -5},       {kMax, 4, kMin}  // 2^31 wraps
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tal_RoundToNearestMult(c.x, c.m), c.expected) << "x = " << c.x << ", m = " << c.m;
}

TEST(Rounding, DoublesRoundAsFloorOfTheDoubleSumWithAHalf) {
    const struct {
        double d;
        int32_t round, safe;
    } cases[] = {{2.5, 3, 3},
                 {-2.5, -2, -2},
                 {-0.5, 0, 0},
                 {2147483646.5, kMax, kMax},
                 {2147483647.5, kMin, kMax},
                 {-2147483647.5, -kMax, -kMax},
                 {-2147483647.5000002, kMin, kMin},
                 {NAN, kMin, kMin},
                 {INFINITY, kMin, kMax},
                 {-INFINITY, kMin, kMin},
                 // The double sum with 0.5 rounds across an integer, which the exact sum does not.
                 {0.49999999999999994, 1, 1},
                 {-0.49999999999999994, -1, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(std::tuple(Tal_RoundDouble(c.d), Tal_RoundDoubleSafe(c.d)),
                  std::tuple(c.round, c.safe))
            << "d = " << c.d;
    std::mt19937_64 rng(99);
    for (int i = 0; i < 400000; ++i) {
        // Values of every scale, and halves with their neighbours, where a rounding error shows.
        const double v = (double(rng() >> 11) * 0x1p-53 - 0.5) * std::ldexp(1, int(rng() % 48) - 8);
        const double half = std::floor(v) + 0.5, toward = i % 2 ? INFINITY : -INFINITY;
        const double d = i % 3 == 0 ? v : i % 3 == 1 ? half : std::nextafter(half, toward);
        if (std::fabs(d) == 0.49999999999999994) continue;  // in the table
        const double f = std::floor(d);  // floor and fraction are exact: no rounding of the sum
        const int64_t r =
            std::fabs(d) > 4e9 ? (d > 0 ? kMax + 1ll : kMin - 1ll) : int64_t(f) + (d - f >= 0.5);
        ASSERT_EQ(
            std::tuple(Tal_RoundDouble(d), Tal_RoundDoubleSafe(d)),
            std::tuple(Fits(r) ? int32_t(r) : kMin, int32_t(std::clamp<int64_t>(r, kMin, kMax))))
            << "d = " << d;
    }
}

}  // namespace

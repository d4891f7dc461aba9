// Ratios against an exact 128-bit reference on seeded random operands, and the nearest-fraction
// search against brute force.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "scalar/ratio_internal.h"
#include "support/reports.h"
#include "tal/ratio.h"

inline bool operator==(const Tal_Ratio& a, const Tal_Ratio& b) {
    return a.num == b.num && a.den == b.den;
}
inline std::ostream& operator<<(std::ostream& os, const Tal_Ratio& r) {
    return os << r.num << "/" << r.den;
}

namespace {

__extension__ typedef __int128 I128;
__extension__ typedef unsigned __int128 U128;

constexpr Tal_Ratio kFailed{0, 0};
constexpr uint32_t kTop = 0x80000000u;
constexpr int32_t kBound = 1 << 30;

U128 Abs(I128 v) {
    return v < 0 ? U128(-v) : U128(v);
}

U128 Gcd(U128 a, U128 b) {
    while (b != 0) {
        const U128 r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// An exact fraction in lowest terms, den > 0.
struct Exact {
    I128 num;
    I128 den;
};

Exact MakeExact(I128 num, I128 den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const I128 g = I128(Gcd(Abs(num), U128(den)));
    return g > 1 ? Exact{num / g, den / g} : Exact{num, den};
}

bool Fits(const Exact& e) {
    return e.num >= INT32_MIN && e.num <= INT32_MAX && e.den >= 1 && e.den <= UINT32_MAX;
}

bool Equals(const Tal_Ratio& r, const Exact& e) {
    return r.den != 0 && I128(r.num) * e.den == e.num * I128(r.den);
}

int Sign(I128 v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// Random operands weighted toward the edges: every width of numerator and denominator, and the
// extreme values on their own.
class RatioSource {
public:
    explicit RatioSource(uint64_t seed) : rng_(seed) {}

    uint64_t Bits() { return rng_(); }

    int32_t Numerator() {
        static constexpr int32_t kEdges[] = {INT32_MIN, INT32_MAX, 0, 1, -1, 1 << 30, -(1 << 30)};
        if (rng_() % 12 == 0) return kEdges[rng_() % 7];
        const uint32_t magnitude = uint32_t(rng_()) >> (rng_() % 33 == 32 ? 0 : rng_() % 32);
        return int32_t(rng_() & 1 ? 0u - magnitude : magnitude);
    }

    uint32_t Denominator() {
        static constexpr uint32_t kEdges[] = {1, 2, kTop, 0xFFFFFFFFu, 0xFFFFFFFEu, 0x7FFFFFFF};
        if (rng_() % 12 == 0) return kEdges[rng_() % 6];
        const uint32_t den = uint32_t(rng_()) >> (rng_() % 32);
        return den == 0 ? 1 : den;
    }

    Tal_Ratio Ratio() { return Tal_Ratio{Numerator(), Denominator()}; }

private:
    std::mt19937_64 rng_;
};

// FNV-1a over every result, so that any change of behaviour shows.
class Checksum {
public:
    void Add(uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            hash_ = (hash_ ^ ((v >> (8 * i)) & 0xFF)) * 0x100000001B3ull;
        }
    }
    void Add(const Tal_Ratio& r) { Add(uint64_t(uint32_t(r.num)) << 32 | r.den); }
    uint64_t Value() const { return hash_; }

private:
    uint64_t hash_ = 0xCBF29CE484222325ull;
};

enum class Op { kAdd, kSub, kMul, kDiv };

Tal_Err Apply(Op op, const Tal_Ratio& a, const Tal_Ratio& b, Tal_Ratio* out, Tal_RatioStatus* s) {
    switch (op) {
        case Op::kAdd:
            return Tal_AddRatio(&a, &b, out, s);
        case Op::kSub:
            return Tal_SubRatio(&a, &b, out, s);
        case Op::kMul:
            return Tal_MulRatio(&a, &b, out, s);
        case Op::kDiv:
            return Tal_DivRatio(&a, &b, out, s);
    }
    return -1;
}

Exact ExactResult(Op op, const Tal_Ratio& a, const Tal_Ratio& b) {
    const I128 an = a.num, ad = a.den, bn = b.num, bd = b.den;
    switch (op) {
        case Op::kAdd:
            return MakeExact(an * bd + bn * ad, ad * bd);
        case Op::kSub:
            return MakeExact(an * bd - bn * ad, ad * bd);
        case Op::kMul:
            return MakeExact(an * bn, ad * bd);
        case Op::kDiv:
            return MakeExact(an * bd, ad * bn);
    }
    return Exact{0, 1};
}

// The double the fallback converts, from the operands as given.
double FallbackValue(Op op, const Tal_Ratio& a, const Tal_Ratio& b) {
    const double x = double(a.num) / double(a.den);
    const double y = double(b.num) / double(b.den);
    switch (op) {
        case Op::kAdd:
            return x + y;
        case Op::kSub:
            return x - y;
        case Op::kMul:
            return x * y;
        case Op::kDiv:
            return x * (double(b.den) / double(b.num));
    }
    return 0;
}

struct Outcome {
    Tal_Err err;
    Tal_Ratio out;
    Tal_RatioStatus byte;
    size_t reports;
};

Outcome RunWith(Op op, const Tal_Ratio& a, const Tal_Ratio& b, Tal_RatioStatus* status,
                Tal_RatioStatus byteIn) {
    Outcome r{0, Tal_Ratio{7, 7}, byteIn, 0};
    taltest::ClearReports();
    r.err = Apply(op, a, b, &r.out,
                  status == nullptr || status == Tal_RatioAllowApprox ? status : &r.byte);
    r.reports = taltest::TakeReports().size();
    return r;
}

// Checks one operation on operands whose reciprocal (for division) fits: exact outcomes are the
// exact value, values that do not fit never come out exact, the fallback is the nearest fraction.
void CheckOperation(Op op, const Tal_Ratio& a, const Tal_Ratio& b, Checksum& sum, int* tally) {
    Tal_RatioStatus byte = 0;
    const Outcome exact = RunWith(op, a, b, &byte, 0);
    const Outcome approx = RunWith(op, a, b, &byte, Tal_RatioStatus_APPROXIMATED);
    const Outcome null = RunWith(op, a, b, nullptr, 0);
    const Outcome allOnes = RunWith(op, a, b, Tal_RatioAllowApprox, 0);
    for (const Outcome* r : {&exact, &approx, &null, &allOnes}) {
        sum.Add(r->out);
        sum.Add(uint64_t(r->err) << 8 | r->byte);
    }
    ++tally[approx.byte % 3];
    const Exact e = ExactResult(op, a, b);
    ASSERT_EQ(exact.err, 0);
    ASSERT_EQ(approx.err, 0);
    ASSERT_EQ(exact.reports + approx.reports, 0u);
    ASSERT_LE(exact.byte, Tal_RatioStatus_OVERFLOW);
    if (exact.byte == Tal_RatioStatus_EXACT) {
        ASSERT_TRUE(Equals(exact.out, e)) << a << " " << b << " gave " << exact.out;
        ASSERT_EQ(approx.out, exact.out);
        ASSERT_EQ(approx.byte, Tal_RatioStatus_EXACT);
    } else {
        ASSERT_EQ(exact.out, kFailed);
        uint8_t overflow = 0;
        Tal_Ratio nearest{};
        Tal_FpLong2Ratio(FallbackValue(op, a, b), &nearest, &overflow);
        ASSERT_EQ(approx.byte, overflow ? Tal_RatioStatus_OVERFLOW : Tal_RatioStatus_APPROXIMATED);
        ASSERT_EQ(approx.out, overflow ? kFailed : nearest) << a << " " << b;
        ASSERT_LE(std::abs(int64_t(approx.out.num)), kBound);
        ASSERT_LE(approx.out.den, uint32_t(kBound));
    }
    if (!Fits(e)) {
        ASSERT_EQ(exact.byte, Tal_RatioStatus_OVERFLOW) << a << " " << b;
    }
    // Null acts as a byte forbidding approximation, all-ones as one allowing it, both reporting.
    const bool overflowed = exact.byte == Tal_RatioStatus_OVERFLOW;
    ASSERT_EQ(null.out, exact.out);
    ASSERT_EQ(null.err, overflowed ? Tal_Err_OVERFLOW : 0);
    ASSERT_EQ(null.reports, overflowed ? 1u : 0u);
    const bool approxOverflowed = approx.byte == Tal_RatioStatus_OVERFLOW;
    ASSERT_EQ(allOnes.out, approx.out);
    ASSERT_EQ(allOnes.err, approxOverflowed ? Tal_Err_OVERFLOW : 0);
    ASSERT_EQ(allOnes.reports, approxOverflowed ? 1u : 0u);
}

TEST(RatioOperations, MatchTheExactReferenceOnRandomOperands) {
    RatioSource source(0x5EED0001);
    Checksum sum;
    int tally[3] = {};  // exact, overflow, approximated with approximation allowed
    for (int i = 0; i < 20000; ++i) {
        const Tal_Ratio a = source.Ratio();
        const Tal_Ratio b = source.Ratio();
        ASSERT_NO_FATAL_FAILURE(CheckOperation(Op::kAdd, a, b, sum, tally));
        ASSERT_NO_FATAL_FAILURE(CheckOperation(Op::kSub, a, b, sum, tally));
        ASSERT_NO_FATAL_FAILURE(CheckOperation(Op::kMul, a, b, sum, tally));
        if (b.num != 0 && b.den < kTop) {
            ASSERT_NO_FATAL_FAILURE(CheckOperation(Op::kDiv, a, b, sum, tally));
        }
    }
    // Every path is exercised in earnest.
    for (int outcome = 0; outcome < 3; ++outcome) {
        EXPECT_GT(tally[outcome], 1000) << "outcome " << outcome;
    }
    EXPECT_EQ(sum.Value(), 0x800ea20f14347355ull) << std::hex << sum.Value();
}

TEST(RatioOperations, DivisionHalvesLargeDivisorDenominatorsOnlyWhenAsked) {
    RatioSource source(0x5EED0002);
    Checksum sum;
    for (int i = 0; i < 5000; ++i) {
        const Tal_Ratio a = source.Ratio();
        const Tal_Ratio b{source.Numerator(), kTop | uint32_t(source.Bits())};
        for (Tal_RatioStatus in : {0, 2}) {
            const Outcome refused = RunWith(Op::kDiv, a, b, &in, in);
            ASSERT_EQ(refused.out, kFailed);
            ASSERT_EQ(refused.byte, in | Tal_RatioStatus_OVERFLOW);
            ASSERT_EQ(refused.err + int(refused.reports), 0);
        }
        // Halving then dividing is multiplying by the halved divisor's reciprocal.
        const Tal_Ratio halved{b.num / 2, b.den >> 1};
        Tal_RatioStatus byte = 0;
        const Outcome allowed = RunWith(Op::kDiv, a, b, &byte, 3);
        const Outcome viaHalved = RunWith(Op::kDiv, a, halved, &byte, 2);
        sum.Add(allowed.out);
        sum.Add(allowed.byte);
        ASSERT_EQ(allowed.err, viaHalved.err);
        ASSERT_EQ(allowed.out, viaHalved.out);
        ASSERT_EQ(allowed.byte, viaHalved.byte | Tal_RatioStatus_APPROXIMATED);
    }
    EXPECT_EQ(sum.Value(), 0x20a55861cd63d3f1ull) << std::hex << sum.Value();
}

TEST(RatioCompare, HasTheSignOfTheExactDifference) {
    RatioSource source(0x5EED0003);
    Checksum sum;
    for (int i = 0; i < 20000; ++i) {
        const Tal_Ratio a = source.Ratio();
        const Tal_Ratio b = i % 5 == 0 ? Tal_Ratio{a.num, a.den / 2 + 1} : source.Ratio();
        int32_t order = 99;
        ASSERT_EQ(Tal_CompareRatio(&a, &b, &order), 0);
        sum.Add(uint64_t(uint32_t(order)));
        const I128 left = I128(a.num) * b.den;
        const I128 right = I128(b.num) * a.den;
        // Denominators of 2^31 and more compare in doubles: exact only for distinct products.
        const bool decidable = (a.den < kTop && b.den < kTop) || Abs(left - right) >= (1 << 12);
        if (decidable) {
            ASSERT_EQ(Sign(order), Sign(left - right)) << a << " vs " << b;
        }
        Tal_Ratio min{}, max{};
        Tal_MinRatio(&a, &b, &min);
        Tal_MaxRatio(&a, &b, &max);
        ASSERT_EQ(min, order > 0 ? b : a);
        ASSERT_EQ(max, order < 0 ? b : a);
    }
    EXPECT_EQ(sum.Value(), 0x1f53b2af0af2b860ull) << std::hex << sum.Value();
}

TEST(RatioConversions, KeepTheValueOrSayTheyDidNot) {
    RatioSource source(0x5EED0004);
    for (int i = 0; i < 20000; ++i) {
        const Tal_Ratio in = source.Ratio();
        const uint32_t newDen = source.Denominator();

        Tal_Ratio reduced{};
        uint8_t flag = 9;
        Tal_ReduceRatio(&in, &reduced, &flag);
        const U128 g = Gcd(Abs(in.num), in.den);
        ASSERT_TRUE(Equals(reduced, MakeExact(in.num, in.den))) << in;
        ASSERT_EQ(flag, g != 1 ? 1 : 0) << in;
        if (g < kTop) {
            ASSERT_EQ(Gcd(Abs(reduced.num), reduced.den), 1u) << in;
        }

        Tal_Ratio recip{};
        uint8_t exact = 9;
        Tal_RecipRatio(&in, &recip, &exact);
        if (exact && in.num != 0) {
            ASSERT_TRUE(Equals(recip, MakeExact(in.den, in.num))) << in << " gave " << recip;
        }
        if (!exact) {
            ASSERT_GE(in.den, kTop);
        }

        Tal_Ratio conv{};
        uint8_t overflow = 9;
        Tal_ConvRatio(&in, newDen, &conv, &exact, &overflow);
        const I128 scaled = I128(in.num) * newDen;  // new numerator times in.den
        if (overflow) {
            ASSERT_EQ(conv, kFailed);
            ASSERT_GE(Abs(scaled), U128(kTop - 1) * in.den) << in << " -> " << newDen;
            continue;
        }
        ASSERT_LT(Abs(scaled), (U128(kTop) + 1) * in.den) << in << " -> " << newDen;
        ASSERT_EQ(conv.den, newDen);
        // Within half a step, give or take the double rounding of the quotient.
        const U128 error = Abs(I128(conv.num) * in.den - scaled);
        ASSERT_LE(error, U128(in.den) / 2 + U128(in.den) / (1u << 19) + 1)
            << in << " -> " << newDen;
        if (exact) {
            ASSERT_EQ(error, 0u) << in << " -> " << newDen;
        }
        if (Abs(scaled) < (U128(1) << 53) && Abs(I128(conv.num) * in.den) < (U128(1) << 53)) {
            ASSERT_EQ(exact, error == 0 ? 1 : 0) << in << " -> " << newDen;
        }
    }
}

// ---- Nearest fraction --------------------------------------------------------------------------

// |x| = N / D exactly.
struct Target {
    U128 N, D;
};

Target Exactly(float x) {
    int e = 0;
    const float m = std::frexp(std::fabs(x), &e);
    const uint64_t X = uint64_t(std::ldexp(m, 24));
    const int shift = e - 24;
    return shift >= 0 ? Target{U128(X) << shift, 1} : Target{X, U128(1) << -shift};
}

// True when p1/q1 lies strictly nearer to t than p2/q2.
bool Nearer(const Target& t, uint64_t p1, uint64_t q1, uint64_t p2, uint64_t q2) {
    const U128 d1 = Abs(I128(p1) * I128(t.D) - I128(t.N) * I128(q1));
    const U128 d2 = Abs(I128(p2) * I128(t.D) - I128(t.N) * I128(q2));
    return d1 * q2 < d2 * q1;
}

// Brute force over the bounded term: for each value of it, the other term is a floor or a
// ceiling. Below 1 it runs over numerators, which are few for tiny values whatever the bound.
void BestByBruteForce(const Target& t, uint64_t bound, bool overNumerators, uint64_t* bp,
                      uint64_t* bq) {
    const bool below1 = t.N < t.D;
    *bp = below1 ? 0 : 1;
    *bq = 1;
    const auto consider = [&](uint64_t p, uint64_t q) {
        if (q == 0 || (below1 ? q : p) > bound) return;
        if (Nearer(t, p, q, *bp, *bq)) {
            *bp = p;
            *bq = q;
        }
    };
    if (below1 && !overNumerators) {
        for (uint64_t q = 1; q <= bound; ++q) {
            const uint64_t p = uint64_t(t.N * q / t.D);
            consider(p, q);
            consider(p + 1, q);
        }
        return;
    }
    const uint64_t last = below1 ? uint64_t(t.N * bound / t.D) + 1 : bound;
    const uint64_t denCap = below1 ? bound : UINT64_MAX;
    for (uint64_t p = 1; p <= last; ++p) {
        const uint64_t q = uint64_t(p * t.D / t.N);
        consider(p, std::min(q, denCap));
        consider(p, std::min(q + 1, denCap));
    }
}

float RandomFloat(RatioSource& source, int minExp, int maxExp) {
    const int e = minExp + int(source.Bits() % uint64_t(maxExp - minExp + 1));
    const float m = 1.0f + float(source.Bits() & 0x7FFFFF) / 8388608.0f;
    return (source.Bits() & 1 ? -1.0f : 1.0f) * std::ldexp(m, e);
}

void ExpectNearest(float x, int32_t bound, const Tal_Ratio& r, bool overNumerators) {
    const Target t = Exactly(x);
    const uint64_t p = Abs(r.num);
    ASSERT_LE((t.N < t.D ? uint64_t(r.den) : p), uint64_t(bound)) << x;
    ASSERT_EQ(Gcd(p, r.den), 1u) << x << " gave " << r;
    ASSERT_TRUE(r.num == 0 || (r.num < 0) == (x < 0)) << x;
    uint64_t bp = 0, bq = 1;
    BestByBruteForce(t, uint64_t(bound), overNumerators, &bp, &bq);
    ASSERT_FALSE(Nearer(t, bp, bq, p, r.den))
        << x << " bound " << bound << ": " << r << " but " << bp << "/" << bq << " is nearer";
}

TEST(NearestFraction, NoFractionWithinASmallBoundIsNearer) {
    RatioSource source(0x5EED0005);
    for (int32_t bound : {1, 2, 3, 5, 7, 10, 16, 31, 64, 100, 255, 1000}) {
        for (int i = 0; i < 400; ++i) {
            const float x = RandomFloat(source, -12, 12);
            ASSERT_NO_FATAL_FAILURE(
                ExpectNearest(x, bound, talp::NearestFraction(x, bound), false));
        }
    }
}

TEST(NearestFraction, TinyValuesAtTheFullBoundAgreeWithBruteForce) {
    RatioSource source(0x5EED0006);
    for (int i = 0; i < 300; ++i) {
        const float x = RandomFloat(source, -31, -18);
        Tal_Ratio r{};
        uint8_t overflow = 9;
        Tal_FpLong2Ratio(x, &r, &overflow);
        ASSERT_EQ(overflow, 0);
        ASSERT_NO_FATAL_FAILURE(ExpectNearest(x, kBound, r, true));
    }
}

TEST(NearestFraction, SmallFractionsComeBackReduced) {
    for (int32_t q = 1; q <= 60; ++q) {
        for (int32_t p = -100; p <= 100; ++p) {
            const Exact e = MakeExact(p, q);
            const Tal_Ratio r = talp::NearestFraction(float(double(p) / q), 2048);
            ASSERT_TRUE(r.num == int32_t(e.num) && r.den == uint32_t(e.den)) << p << "/" << q;
        }
    }
    // At the full bound only fractions a float holds exactly come back as themselves.
    for (int32_t j = 0; j <= 20; ++j) {
        for (int32_t p = -1000; p <= 1000; p += 7) {
            Tal_Ratio r{};
            uint8_t overflow = 9;
            Tal_FpLong2Ratio(std::ldexp(double(p), -j), &r, &overflow);
            const Exact e = MakeExact(p, I128(1) << j);
            ASSERT_TRUE(r.num == int32_t(e.num) && r.den == uint32_t(e.den)) << p << "/2^" << j;
        }
    }
}

TEST(NearestFraction, FloatsFromOneSixtyFourthTo2p30ComeBackExactly) {
    RatioSource source(0x5EED0007);
    for (int i = 0; i < 20000; ++i) {
        const float x = RandomFloat(source, -6, 29);
        Tal_Ratio r{};
        uint8_t overflow = 9;
        Tal_FpLong2Ratio(x, &r, &overflow);
        const Target t = Exactly(x);
        ASSERT_EQ(U128(Abs(r.num)) * t.D, t.N * r.den) << x << " gave " << r;
        ASSERT_EQ(r.num < 0, x < 0);
    }
}

}  // namespace

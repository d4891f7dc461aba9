// Ratios: exact values at the edges, every status form, the reports made and the state left.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "support/reports.h"
#include "tal/ratio.h"

inline bool operator==(const Tal_Ratio& a, const Tal_Ratio& b) {
    return a.num == b.num && a.den == b.den;
}
inline std::ostream& operator<<(std::ostream& os, const Tal_Ratio& r) {
    return os << r.num << "/" << r.den;
}

namespace {

using taltest::Msg;
using taltest::Report;
using taltest::TakeReports;
using Reports = std::vector<Report>;

constexpr int32_t kMin = INT32_MIN;
constexpr int32_t kMax = INT32_MAX;
constexpr uint32_t kTop = 0x80000000u;
constexpr Tal_Ratio kFailed{0, 0};
constexpr Tal_Ratio kSentinel{12345, 678};

const Report kAddOverflow = Msg(0x110010, "overflow in ratio addition.");
const Report kSubOverflow = Msg(0x110010, "overflow in ratio subtraction.");
const Report kMulOverflow = Msg(0x110011, "overflow in ratio multiply.");
const Report kDivOverflow = Msg(0x110011, "overflow in ratio divide.");

// ---- Reduce, reciprocal ------------------------------------------------------------------------

struct UnaryCase {
    Tal_Ratio in;
    Tal_Ratio out;
    uint8_t flag;
};

TEST(ReduceRatio, DividesByTheGcdUnlessItIsOneOrTooLarge) {
    const UnaryCase cases[] = {
        {{6, 4}, {3, 2}, 1},
        {{-6, 4}, {-3, 2}, 1},
        {{0, 7}, {0, 1}, 1},
        {{5, 0}, {5, 0}, 0},
        {{7, 5}, {7, 5}, 0},
        {{kMin, 6}, {-(1 << 30), 3}, 1},
        {{kMin, kTop}, {kMin, kTop}, 1},  // gcd 2^31: flagged, not divided
        {{0, kTop}, {0, kTop}, 1},
        {{0, 0}, {0, 0}, 0},
        {{kMax, 0xFFFFFFFFu}, {kMax, 0xFFFFFFFFu}, 0},
        {{-(1 << 30), 0xC0000000u}, {-1, 3}, 1},
    };
    for (const auto& c : cases) {
        Tal_Ratio out = kSentinel;
        uint8_t flag = 7;
        EXPECT_EQ(Tal_ReduceRatio(&c.in, &out, &flag), 0);
        EXPECT_EQ(out, c.out) << c.in;
        EXPECT_EQ(flag, c.flag) << c.in;
        Tal_Ratio inPlace = c.in;  // output aliasing the input, no flag
        EXPECT_EQ(Tal_ReduceRatio(&inPlace, &inPlace, nullptr), 0);
        EXPECT_EQ(inPlace, c.out) << c.in;
    }
}

TEST(RecipRatio, SwapsTermsAndHalvesWhatCannotBecomeANumerator) {
    const UnaryCase cases[] = {
        {{-3, 4}, {-4, 3}, 1},
        {{3, 0xFFFFFFFEu}, {kMax, 1}, 0},           // gcd 1: both halved
        {{4, 0xFFFFFFFEu}, {kMax, 2}, 1},           // reduction brings den below 2^31
        {{0, 5}, {5, 0}, 1},                        // no report for the zero result denominator
        {{kMin, 1}, {-1, kTop}, 1},                 // |-2^31| is a valid denominator
        {{kMin, kTop}, {-(1 << 30), 1u << 30}, 0},  // gcd 2^31 changes nothing
        {{1, 0xFFFFFFFFu}, {kMax, 0}, 0},
        {{-1, 0xFFFFFFFFu}, {-kMax, 0}, 0},
        {{0, kTop}, {1 << 30, 0}, 0},
        {{5, 0}, {0, 5}, 1},
        {{kMax, kMax}, {kMax, kMax}, 1},
    };
    for (const auto& c : cases) {
        Tal_Ratio out = kSentinel;
        uint8_t exact = 7;
        TakeReports();
        EXPECT_EQ(Tal_RecipRatio(&c.in, &out, &exact), 0);
        EXPECT_EQ(out, c.out) << c.in;
        EXPECT_EQ(exact, c.flag) << c.in;
        EXPECT_TRUE(TakeReports().empty());
        Tal_Ratio inPlace = c.in;
        Tal_RecipRatio(&inPlace, &inPlace, nullptr);
        EXPECT_EQ(inPlace, c.out) << c.in;
    }
}

// ---- Change of denominator ---------------------------------------------------------------------

struct ConvCase {
    Tal_Ratio in;
    uint32_t newDen;
    bool withOverflowFlag;
    Tal_Ratio out;
    uint8_t exact;
    uint8_t overflow;
    Tal_Err err;
    bool reported;
};

const ConvCase kConvCases[] = {
    {{1, 3}, 10, true, {3, 10}, 0, 0, 0, false},
    {{1, 2}, 10, true, {5, 10}, 1, 0, 0, false},
    {{3, 4}, 4, true, {3, 4}, 1, 0, 0, false},
    {{-1, 2}, 1, true, {0, 1}, 0, 0, 0, false},  // halves round up
    {{-3, 2}, 1, true, {-1, 1}, 0, 0, 0, false},
    {{5, 2}, 1, true, {3, 1}, 0, 0, 0, false},
    {{-1, 1}, kTop, true, {kMin, kTop}, 1, 0, 0, false},
    {{kMax, 1}, 0xFFFFFFFFu, false, {0, 0}, 0, 0, Tal_Err_OVERFLOW, true},
    {{kMax, 1}, 2, true, {0, 0}, 0, 1, 0, false},
    {{kMax, 1}, 2, false, {0, 0}, 0, 0, Tal_Err_OVERFLOW, true},
    {{kMin, 2}, 4, true, {0, 0}, 0, 1, 0, false},
    {{kMax, 0xFFFFFFFFu}, 0xFFFFFFFEu, true, {kMax, 0xFFFFFFFEu}, 0, 0, 0, false},
    {{1, 0}, 10, true, {0, 0}, 0, 0, Tal_Err_ZERO_DENOM, true},
    {{1, 3}, 0, false, {0, 0}, 0, 0, Tal_Err_ZERO_DENOM, true},
};

TEST(ConvRatio, RoundsTheNumeratorAndReportsZeroDenominatorsAndUnflaggedOverflow) {
    for (const auto& c : kConvCases) {
        TakeReports();
        Tal_Ratio out = kSentinel;
        uint8_t exact = 7;
        uint8_t overflow = 7;
        const Tal_Err err =
            Tal_ConvRatio(&c.in, c.newDen, &out, &exact, c.withOverflowFlag ? &overflow : nullptr);
        EXPECT_EQ(err, c.err) << c.in << " -> " << c.newDen;
        EXPECT_EQ(out, c.out) << c.in << " -> " << c.newDen;
        EXPECT_EQ(exact, c.exact) << c.in << " -> " << c.newDen;
        if (c.withOverflowFlag) {
            EXPECT_EQ(overflow, c.overflow) << c.in;
        }
        const Reports expected =
            !c.reported ? Reports{}
            : c.err == Tal_Err_OVERFLOW
                ? Reports{Msg(0x110012, "overflow converting ratio denominators.")}
                : Reports{Msg(0x110012, "zero denominator converting ratio denominators.")};
        EXPECT_EQ(TakeReports(), expected) << c.in << " -> " << c.newDen;

        Tal_Ratio inPlace = c.in;
        Tal_ConvRatio(&inPlace, c.newDen, &inPlace, nullptr, &overflow);
        EXPECT_EQ(inPlace, c.out) << "aliased " << c.in;
        TakeReports();
    }
}

TEST(ShortConvRatio, IsTheConversionOnABareNumeratorAtItsOwnSite) {
    for (const auto& c : kConvCases) {
        TakeReports();
        int32_t num = 99;
        uint8_t overflow = 7;
        const Tal_Err err = Tal_ShortConvRatio(c.in.num, c.in.den, c.newDen, &num,
                                               c.withOverflowFlag ? &overflow : nullptr);
        EXPECT_EQ(err, c.err) << c.in;
        EXPECT_EQ(num, c.out.num) << c.in;
        if (c.withOverflowFlag) {
            EXPECT_EQ(overflow, c.overflow) << c.in;
        }
        const Reports expected =
            !c.reported ? Reports{}
            : c.err == Tal_Err_OVERFLOW
                ? Reports{Msg(0x110013, "overflow converting ratio denominators.")}
                : Reports{Msg(0x110013, "zero denominator converting ratio denominators.")};
        EXPECT_EQ(TakeReports(), expected) << c.in;
    }
}

// ---- Double to fraction ------------------------------------------------------------------------

TEST(FpLong2Ratio, GivesTheNearestFractionOfTheSinglePrecisionValue) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double d;
        Tal_Ratio out;
        uint8_t overflow;
    } cases[] = {
        {0.5, {1, 2}, 0},
        {-0.75, {-3, 4}, 0},
        {0.1, {13421773, 134217728}, 0},
        {1e-9, {1, 1000000028}, 0},
        {3e-10, {0, 1}, 0},
        {0.0, {0, 1}, 0},
        {-0.0, {0, 1}, 0},
        {0x1p-33, {0, 1}, 0},
        {0x1p-31, {0, 1}, 0},  // 0 and 1/2^30 tie: 0 wins
        {0x1p-30, {1, 1u << 30}, 0},
        {-0x1.8p-31, {-1, 1u << 30}, 0},
        {1.0 / 3.0, {11184811, 33554432}, 0},
        {10.0 / 3.0, {13981013, 4194304}, 0},
        {1e8, {100000000, 1}, 0},
        {-12.375, {-99, 8}, 0},
        {1.5e9, {1 << 30, 1}, 0},  // the numerator saturates at 2^30
        {-1.5e9, {-(1 << 30), 1}, 0},
        {2147483647.0, {1 << 30, 1}, 0},  // rounds to 2^31 as a float
        {1073741823.0, {1 << 30, 1}, 0},
        {3.0e9, {0, 0}, 1},
        {2147483648.0, {0, 0}, 1},
        {-2147483648.0, {0, 0}, 1},
        {inf, {0, 0}, 1},
        {-inf, {0, 0}, 1},
        {std::nan(""), {0, 0}, 1},
    };
    TakeReports();
    for (const auto& c : cases) {
        Tal_Ratio out = kSentinel;
        uint8_t overflow = 7;
        EXPECT_EQ(Tal_FpLong2Ratio(c.d, &out, &overflow), 0);
        EXPECT_EQ(out, c.out) << c.d;
        EXPECT_EQ(overflow, c.overflow) << c.d;
    }
    EXPECT_TRUE(TakeReports().empty());
}

// ---- The four operations -----------------------------------------------------------------------

enum class Op { kAdd, kSub, kMul, kDiv };
enum class Form { kNull, kAllOnes, kByte };

Tal_Err Apply(Op op, const Tal_Ratio* a, const Tal_Ratio* b, Tal_Ratio* out, Tal_RatioStatus* s) {
    switch (op) {
        case Op::kAdd:
            return Tal_AddRatio(a, b, out, s);
        case Op::kSub:
            return Tal_SubRatio(a, b, out, s);
        case Op::kMul:
            return Tal_MulRatio(a, b, out, s);
        case Op::kDiv:
            return Tal_DivRatio(a, b, out, s);
    }
    return -1;
}

struct OpCase {
    const char* name;
    Op op;
    Tal_Ratio a, b;
    Form form;
    uint8_t byteIn;
    Tal_Ratio out;
    uint8_t byteOut;  // checked for Form::kByte
    Tal_Err err;
    Reports reports;
};

class RatioOperation : public ::testing::TestWithParam<OpCase> {};

TEST_P(RatioOperation, GivesTheOutcomeReportAndStateItStates) {
    const OpCase& c = GetParam();
    Tal_RatioStatus byte = c.byteIn;
    Tal_RatioStatus* status = c.form == Form::kNull      ? nullptr
                              : c.form == Form::kAllOnes ? Tal_RatioAllowApprox
                                                         : &byte;
    TakeReports();
    Tal_Ratio out = kSentinel;
    EXPECT_EQ(Apply(c.op, &c.a, &c.b, &out, status), c.err);
    EXPECT_EQ(out, c.out);
    if (c.form == Form::kByte) {
        EXPECT_EQ(byte, c.byteOut);
    }
    EXPECT_EQ(TakeReports(), c.reports);

    // The same call writing over either operand.
    for (int which = 0; which < 2; ++which) {
        Tal_Ratio a = c.a;
        Tal_Ratio b = c.b;
        byte = c.byteIn;
        Tal_Ratio* target = which == 0 ? &a : &b;
        EXPECT_EQ(Apply(c.op, &a, &b, target, status), c.err);
        EXPECT_EQ(*target, c.out) << "aliased operand " << which;
        TakeReports();
    }
}

constexpr Form N = Form::kNull;
constexpr Form A = Form::kAllOnes;
constexpr Form B = Form::kByte;

const Report kZeroAdd = Msg(0x110010, "zero denominator in ratio addition.");
const Report kZeroSub = Msg(0x110010, "zero denominator in ratio subtraction.");
const Report kZeroMul = Msg(0x110011, "zero denominator in ratio multiply.");
const Report kZeroDiv = Msg(0x110011, "zero denominator in ratio divide.");

// clang-format off
const OpCase kOpCases[] = {
    // name                                  op       a                    b                    form byte out            byte err                 reports
    {"AddOverCommonDenominatorUnreduced",   Op::kAdd, {1, 6},              {1, 10},             N, 0, {8, 30},         0, 0,                  {}},
    {"AddEqualDenominators",                Op::kAdd, {3, 7},              {-5, 7},             B, 2, {-2, 7},         0, 0,                  {}},
    {"AddZeroOperandTakesTheOther",         Op::kAdd, {0, 3},              {kMin, 5},           N, 0, {kMin, 5},       0, 0,                  {}},
    {"AddOverflowNullReports",              Op::kAdd, {kMax, 1},           {1, 1},              N, 0, kFailed,         0, Tal_Err_OVERFLOW,   {kAddOverflow}},
    {"AddOverflowByteSignals",              Op::kAdd, {kMax, 1},           {1, 1},              B, 0, kFailed,         1, 0,                  {}},
    {"AddApproxBeyond2p31StillOverflows",   Op::kAdd, {kMax, 1},           {1, 1},              B, 2, kFailed,         1, 0,                  {}},
    {"AddAllOnesReportsOverflow",           Op::kAdd, {kMax, 1},           {1, 1},              A, 0, kFailed,         0, Tal_Err_OVERFLOW,   {kAddOverflow}},
    {"AddApproxSaturatesAt2p30",            Op::kAdd, {kMax, 1},           {1, 2},              B, 2, {1 << 30, 1},    2, 0,                  {}},
    {"AddApproxAllOnesSilent",              Op::kAdd, {kMax, 1},           {1, 2},              A, 0, {1 << 30, 1},    0, 0,                  {}},
    {"AddCautiousPredictionOverflows",      Op::kAdd, {1, 0xFFFF},         {1, 0x10001},        N, 0, kFailed,         0, Tal_Err_OVERFLOW,   {kAddOverflow}},
    {"AddReducesAndRetries",                Op::kAdd, {kMax - 1, 2},       {2, 2},              N, 0, {1 << 30, 1},    0, 0,                  {}},
    {"AddLargeDenominatorsFallBack",        Op::kAdd, {kMin, kTop},        {1, 1},              B, 2, {0, 1},          2, 0,                  {}},
    {"AddZeroDenominatorAlwaysReported",    Op::kAdd, {1, 0},              {1, 1},              B, 2, kFailed,         0, Tal_Err_ZERO_DENOM, {kZeroAdd}},
    {"SubNegatesTheSecond",                 Op::kSub, {1, 3},              {1, 2},              N, 0, {-1, 6},         0, 0,                  {}},
    {"SubOfMinIsAnOverflow",                Op::kSub, {1, 1},              {kMin, 1},           N, 0, kFailed,         0, Tal_Err_OVERFLOW,   {kSubOverflow}},
    {"SubOfMinReducesFirst",                Op::kSub, {0, 1},              {kMin, 2},           N, 0, {1 << 30, 1},    0, 0,                  {}},
    {"SubOfMinFromZeroOverflowsTheDouble",  Op::kSub, {0, 1},              {kMin, 1},           B, 2, kFailed,         1, 0,                  {}},
    {"SubZeroDenominator",                  Op::kSub, {1, 1},              {1, 0},              A, 0, kFailed,         0, Tal_Err_ZERO_DENOM, {kZeroSub}},
    {"MulReducesAndCrossReduces",           Op::kMul, {0x40000000, 7},     {14, 0x40000000},    N, 0, {2, 1},          0, 0,                  {}},
    {"MulUnreduced",                        Op::kMul, {3, 4},              {-2, 5},             N, 0, {-6, 20},        0, 0,                  {}},
    {"MulOverflowNull",                     Op::kMul, {0x10000, 1},        {0x10000, 1},        N, 0, kFailed,         0, Tal_Err_OVERFLOW,   {kMulOverflow}},
    {"MulOverflowApproxBeyond2p31",         Op::kMul, {0x10000, 1},        {0x10000, 1},        B, 2, kFailed,         1, 0,                  {}},
    {"MulApproximates",                     Op::kMul, {0x10000, 3},        {0x8000, 1},         B, 2, {715827904, 1},  2, 0,                  {}},
    {"MulZeroDenominator",                  Op::kMul, {1, 1},              {1, 0},              B, 2, kFailed,         0, Tal_Err_ZERO_DENOM, {kZeroMul}},
    {"DivByReciprocal",                     Op::kDiv, {1, 2},              {3, 4},              N, 0, {4, 6},          0, 0,                  {}},
    {"DivSignMovesToNumerator",             Op::kDiv, {1, 2},              {-3, 4},             B, 0, {-4, 6},         0, 0,                  {}},
    {"DivByZeroValueReportsMultiply",       Op::kDiv, {1, 2},              {0, 5},              N, 0, kFailed,         0, Tal_Err_ZERO_DENOM, {kZeroMul}},
    {"DivZeroDenominatorReportsDivide",     Op::kDiv, {1, 2},              {1, 0},              B, 3, kFailed,         0, Tal_Err_ZERO_DENOM, {kZeroDiv}},
    {"DivLargeDenNullReports",              Op::kDiv, {1, 1},              {3, kTop},           N, 0, kFailed,         0, Tal_Err_OVERFLOW,   {kDivOverflow}},
    {"DivLargeDenByteWithoutHalving",       Op::kDiv, {1, 1},              {3, kTop},           B, 0, kFailed,         1, 0,                  {}},
    {"DivLargeDenApproxIsNotHalving",       Op::kDiv, {1, 1},              {3, kTop},           B, 2, kFailed,         3, 0,                  {}},
    // 3/2^31 becomes 1/2^30; 1/4 * 2^30/1 needs the cross reduction.
    {"DivHalvesWhenByteAllows",             Op::kDiv, {1, 4},              {3, kTop},           B, 1, {1 << 28, 1},    2, 0,                  {}},
    {"DivHalvesUnderAllOnes",               Op::kDiv, {1, 4},              {3, kTop},           A, 0, {1 << 28, 1},    0, 0,                  {}},
    {"DivHalvedIsCautiousWithoutApprox",    Op::kDiv, {1, 1},              {3, kTop},           B, 1, kFailed,         3, 0,                  {}},
    {"DivHalvedApproximatesWhenAllowed",    Op::kDiv, {1, 1},              {3, kTop},           B, 3, {1 << 30, 1},    2, 0,                  {}},
    // Halving toward zero gives -2^29 / 2^30; rounding down would leave no common factor.
    {"DivHalvesNegativeTowardZero",         Op::kDiv, {1, 1},              {-0x40000001, kTop + 1}, B, 1, {-2, 1},      2, 0,                  {}},
    {"DivHalvedThenOverflows",              Op::kDiv, {0x10000, 1},        {3, kTop + 2},       B, 1, kFailed,         3, 0,                  {}},
    {"DivHalvedToZeroReportsMultiply",      Op::kDiv, {1, 1},              {1, kTop + 2},       B, 1, kFailed,         2, Tal_Err_ZERO_DENOM, {kZeroMul}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Edges, RatioOperation, ::testing::ValuesIn(kOpCases),
                         [](const ::testing::TestParamInfo<OpCase>& info) {
                             return std::string(info.param.name);
                         });

// ---- Comparison, minimum, maximum --------------------------------------------------------------

TEST(CompareRatio, GivesTheDifferenceNumeratorOrExactlyOneOnOverflow) {
    const struct {
        Tal_Ratio a, b;
        int32_t result;
    } cases[] = {
        {{1, 3}, {1, 2}, -1},
        {{1, 2}, {1, 3}, 1},
        {{7, 2}, {7, 2}, 0},
        {{5, 7}, {1, 7}, 4},
        {{1, 1}, {kMin, 1}, 1},  // -(-2^31) falls to the cross products
        {{kMin, 1}, {1, 1}, -1},
        {{kMin, 1}, {kMin, 1}, 0},
        {{kMax, 0xFFFFFFFFu}, {kMax - 1, 0xFFFFFFFEu}, 1},  // double cross products
        {{kMax, 1}, {kMin, 1}, 1},
        {{kMin, 3}, {kMax, 3}, -1},
    };
    TakeReports();
    for (const auto& c : cases) {
        int32_t result = 99;
        EXPECT_EQ(Tal_CompareRatio(&c.a, &c.b, &result), 0);
        EXPECT_EQ(result, c.result) << c.a << " vs " << c.b;
    }
    EXPECT_TRUE(TakeReports().empty());
}

TEST(CompareRatio, ZeroDenominatorReportsAndLeavesZero) {
    const Tal_Ratio ok{1, 1};
    const Tal_Ratio bad{1, 0};
    int32_t result = 99;
    TakeReports();
    EXPECT_EQ(Tal_CompareRatio(&ok, &bad, &result), Tal_Err_ZERO_DENOM);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(TakeReports(), Reports{Msg(0x110010, "zero denominator comparing ratios.")});
}

TEST(MinMaxRatio, PickByValueKeepTheFirstOnATieAndFailToZero) {
    const struct {
        Tal_Ratio a, b, min, max;
        Tal_Err err;
    } cases[] = {
        {{1, 3}, {1, 2}, {1, 3}, {1, 2}, 0},
        {{2, 4}, {1, 2}, {2, 4}, {2, 4}, 0},
        {{1, 1}, {kMin, 1}, {kMin, 1}, {1, 1}, 0},
        {{1, 0}, {1, 2}, kFailed, kFailed, Tal_Err_ZERO_DENOM},
    };
    for (const auto& c : cases) {
        Tal_Ratio out = kSentinel;
        EXPECT_EQ(Tal_MinRatio(&c.a, &c.b, &out), c.err);
        EXPECT_EQ(out, c.min);
        EXPECT_EQ(Tal_MaxRatio(&c.a, &c.b, &out), c.err);
        EXPECT_EQ(out, c.max);
        Tal_Ratio a = c.a;
        Tal_Ratio b = c.b;
        Tal_MinRatio(&a, &b, &b);
        EXPECT_EQ(b, c.min) << "aliased";
    }
    TakeReports();
}

// ---- Clamping and spans ------------------------------------------------------------------------

struct ClampCase {
    const char* name;
    Tal_Ratio value, out;
};

// Both clamps to [1, 3]: by a range, and by a span starting at 1 of length 2.
template <typename Clamp>
void ExpectClamps(Clamp clamp) {
    const ClampCase cases[] = {
        {"Below", {0, 1}, {1, 1}},      {"AtLowInOtherTerms", {2, 2}, {1, 1}},
        {"Inside", {2, 1}, {2, 1}},     {"InsideUnreduced", {9, 6}, {9, 6}},
        {"Above", {5, 1}, {3, 1}},      {"Lowest", {kMin, 1}, {1, 1}},
        {"Highest", {kMax, 7}, {3, 1}},
    };
    for (const auto& c : cases) {
        Tal_Ratio out = kSentinel;
        EXPECT_EQ(clamp(&c.value, &out), 0) << c.name;
        EXPECT_EQ(out, c.out) << c.name;
        Tal_Ratio value = c.value;
        clamp(&value, &value);
        EXPECT_EQ(value, c.out) << "aliased " << c.name;
    }
}

TEST(ClipRatio, ClampsToTheClosedRange) {
    const Tal_Ratio low{1, 1}, high{3, 1};
    ExpectClamps(
        [&](const Tal_Ratio* v, Tal_Ratio* out) { return Tal_ClipRatio(v, &low, &high, out); });
}

TEST(ClipRatioToSpan, ClampsToStartThroughStartPlusLength) {
    const Tal_Ratio start{1, 1}, length{2, 1};
    ExpectClamps([&](const Tal_Ratio* v, Tal_Ratio* out) {
        return Tal_ClipRatioToSpan(v, &start, &length, out);
    });
}

TEST(ClipRatio, FailuresReportAndLeaveOrClearTheOutput) {
    const Tal_Ratio one{1, 1}, two{2, 1}, bad{1, 0};
    const struct {
        const char* name;
        Tal_Ratio value, low, high;
        Tal_Err err;
        Tal_Ratio out;
        Reports reports;
    } cases[] = {
        {"InvertedRange",
         one,
         two,
         one,
         Bas_NiroErr(3),
         kSentinel,
         {Report{0x110018, 8, 3, "invalid rational range"}}},
        {"BadBound",
         one,
         bad,
         two,
         Tal_Err_ZERO_DENOM,
         kSentinel,
         {Msg(0x110010, "zero denominator comparing ratios.")}},
        {"BadValue",
         bad,
         one,
         two,
         Tal_Err_ZERO_DENOM,
         kFailed,
         {Msg(0x110010, "zero denominator comparing ratios.")}},
    };
    for (const auto& c : cases) {
        TakeReports();
        Tal_Ratio out = kSentinel;
        EXPECT_EQ(Tal_ClipRatio(&c.value, &c.low, &c.high, &out), c.err) << c.name;
        EXPECT_EQ(out, c.out) << c.name;
        EXPECT_EQ(TakeReports(), c.reports) << c.name;
    }
}

TEST(ClipRatioToSpan, AnEndBeyond32BitsIsReportedAsASpanOverflow) {
    const Tal_Ratio value{kMax, 1}, start{kMax - 1, 1}, length{2, 1};
    Tal_Ratio out = kSentinel;
    TakeReports();
    EXPECT_EQ(Tal_ClipRatioToSpan(&value, &start, &length, &out), Tal_Err_OVERFLOW);
    EXPECT_EQ(out, kFailed);
    EXPECT_EQ(TakeReports(), Reports{Msg(0x110010, "overflow in ratio span.")});
}

TEST(ClipSpanToSpan, ClipsBothEndsIntoTheClipSpan) {
    const Tal_Ratio clipStart{2, 1};
    const Tal_Ratio clipLength{3, 1};
    const struct {
        Tal_Ratio start, length, outStart, outLength;
        Tal_Err err;
    } cases[] = {
        {{0, 1}, {10, 1}, {2, 1}, {3, 1}, 0},
        {{3, 1}, {1, 1}, {3, 1}, {1, 1}, 0},
        {{7, 1}, {2, 1}, {5, 1}, {0, 1}, 0},
        {{0, 1}, {1, 1}, {2, 1}, {0, 1}, 0},
        {{5, 2}, {1, 3}, {5, 2}, {2, 6}, 0},  // 17/6 - 5/2 over 6, unreduced
        {{0, 1}, {1, 0}, kFailed, kFailed, Tal_Err_ZERO_DENOM},
    };
    for (const auto& c : cases) {
        TakeReports();
        Tal_Ratio outStart = kSentinel, outLength = kSentinel;
        EXPECT_EQ(
            Tal_ClipSpanToSpan(&c.start, &c.length, &clipStart, &clipLength, &outStart, &outLength),
            c.err);
        EXPECT_EQ(outStart, c.outStart) << c.start << " + " << c.length;
        EXPECT_EQ(outLength, c.outLength) << c.start << " + " << c.length;
        Tal_Ratio start = c.start, length = c.length;  // written over its own inputs
        Tal_ClipSpanToSpan(&start, &length, &clipStart, &clipLength, &start, &length);
        EXPECT_EQ(start, c.outStart);
        EXPECT_EQ(length, c.outLength);
    }
    EXPECT_EQ(TakeReports().size(), 2u);  // the failing case, plain and aliased
}

}  // namespace

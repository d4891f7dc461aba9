// The lookup tables: every entry against its defining formula, and the counted loans with purge,
// rebuild and allocation failures.
#include <cmath>
#include <vector>

#include "frame/frame_fixture.h"
#include "frame/frame_internal.h"

namespace {

using taltest::FrameTest;
using taltest::Msg;
using taltest::Report;
using taltest::TakeReports;

// ---- Contents ---------------------------------------------------------------------------------

// The defining formulas, with a true division in 64-bit arithmetic.
uint8_t MulFormula(uint64_t i, uint64_t j) {
    return uint8_t((i * j + 127) / 255);
}
uint8_t DivFormula(uint64_t i, uint64_t j) {
    return j >= i ? 255 : uint8_t((j * 255 + (i >> 1)) / i);
}
float SineFormula(int k) {
    return float(std::sin(k / 255.0 * (2.0 * std::atan(1.0))));
}

std::vector<uint8_t> Filled(void (*fill)(uint8_t*)) {
    std::vector<uint8_t> t(Tal_CharTableSize, 0xCD);
    fill(t.data());
    return t;
}

TEST(CharTables, EveryEntryMatchesTheFormula) {
    const std::vector<uint8_t> mul = Filled(Talp_FillMulTable);
    const std::vector<uint8_t> div = Filled(Talp_FillDivTable);
    int mulWrong = 0, divWrong = 0;
    for (int i = 0; i < 256; ++i) {
        for (int j = 0; j < 256; ++j) {
            mulWrong += mul[i * 256 + j] != MulFormula(i, j);
            divWrong += div[i * 256 + j] != DivFormula(i, j);
        }
    }
    EXPECT_EQ(mulWrong, 0);
    EXPECT_EQ(divWrong, 0);
}

struct EntryCase {
    int i, j, expected;
};

TEST(CharTables, BoundaryEntries) {
    const std::vector<uint8_t> mul = Filled(Talp_FillMulTable);
    const std::vector<uint8_t> div = Filled(Talp_FillDivTable);
    const EntryCase mulCases[] = {{255, 255, 255}, {128, 128, 64}, {1, 127, 0},
                                  {1, 128, 1},     {0, 255, 0},    {255, 0, 0},
                                  {255, 1, 1},     {2, 64, 1},     {2, 63, 0}};
    for (const EntryCase& c : mulCases)
        EXPECT_EQ(mul[c.i * 256 + c.j], c.expected) << "mul " << c.i << "," << c.j;
    const EntryCase divCases[] = {{128, 64, 128}, {255, 254, 254}, {0, 0, 255},    {10, 10, 255},
                                  {0, 255, 255},  {1, 0, 0},       {255, 0, 0},    {2, 1, 128},
                                  {3, 1, 85},     {3, 2, 170},     {255, 255, 255}};
    for (const EntryCase& c : divCases)
        EXPECT_EQ(div[c.i * 256 + c.j], c.expected) << "div " << c.i << "," << c.j;
}

TEST(SineTable, EveryEntryIsBitIdenticalToTheFloatOfSin) {
    float table[Tal_SineTableSize];
    Talp_FillSineTable(table);
    for (int k = 0; k < Tal_SineTableSize; ++k)
        EXPECT_EQ(std::memcmp(&table[k], &(const float&)SineFormula(k), sizeof(float)), 0)
            << "k " << k << ": " << table[k] << " vs " << SineFormula(k);
    EXPECT_EQ(table[0], 0.0f);
    EXPECT_FALSE(std::signbit(table[0]));
    EXPECT_EQ(table[255], 1.0f);
}

// The table must not depend on which faithful sin the platform has: no true value may lie so near
// a float rounding boundary that a one-ulp difference in the double flips the float.
TEST(SineTable, NoEntryIsNearAFloatRoundingBoundary) {
    const long double halfPi = 2.0L * std::atan(1.0L);
    for (int k = 1; k < Tal_SineTableSize - 1; ++k) {
        const long double s = std::sin(k / 255.0L * halfPi);
        const float f = float(s);
        const long double up = std::nextafter(f, 2.0f), down = std::nextafter(f, 0.0f);
        const long double gap =
            std::fmin(std::fabs(s - (f + up) / 2), std::fabs(s - (f + down) / 2));
        EXPECT_GT(gap / s, 0x1p-45L) << "k " << k;
    }
}

// ---- Loans --------------------------------------------------------------------------------------

const uint8_t kSentinel[1] = {0};

struct FcmdLoan {
    Tal_Err result;
    uint8_t ok = 0xEE;
    const uint8_t* mul = kSentinel;
    const uint8_t* div = kSentinel;
};

FcmdLoan PrepareFcmd(bool reportFailure, bool noRebuild) {
    FcmdLoan l;
    l.result = Tal_PrepareFCMD(reportFailure, noRebuild, &l.ok, &l.mul, &l.div);
    return l;
}

struct TrigLoan {
    Tal_Err result;
    uint8_t ok = 0xEE;
    const float* sine = reinterpret_cast<const float*>(kSentinel);
};

TrigLoan PrepareTrig(bool reportFailure, bool noRebuild) {
    TrigLoan l;
    l.result = Tal_PrepareFTrig(reportFailure, noRebuild, &l.ok, &l.sine);
    return l;
}

bool CharTablesExact(const uint8_t* mul, const uint8_t* div) {
    return mul && div && Filled(Talp_FillMulTable) == std::vector<uint8_t>(mul, mul + 65536) &&
           Filled(Talp_FillDivTable) == std::vector<uint8_t>(div, div + 65536);
}

bool SineExact(const float* sine) {
    if (!sine) return false;
    for (int k = 0; k < Tal_SineTableSize; ++k)
        if (sine[k] != SineFormula(k)) return false;
    return true;
}

struct UnrequestedCase {
    const char* name;
    Tal_ServiceFlags born;  // services requested at birth (or ~0 for "died after birth")
};

class Unrequested : public FrameTest, public ::testing::WithParamInterface<UnrequestedCase> {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        if (GetParam().born == 0xFF) {
            ASSERT_EQ(Tal_Birth(7, nullptr), 0);
            ASSERT_EQ(Tal_Death(), 0);
        } else {
            ASSERT_EQ(Tal_Birth(GetParam().born, nullptr), 0);
        }
        Talp_G.fcmdRequests = 4;
        Talp_G.trigRequests = 4;
        TakeReports();
    }
};

class UnrequestedFcmd : public Unrequested {};
class UnrequestedTrig : public Unrequested {};

TEST_P(UnrequestedFcmd, ReportsTheServiceAndLeavesTheCount) {
    const Report report =
        Msg(0x11001F, "attempt to use unrequested math service (fast char math).");
    const FcmdLoan l = PrepareFcmd(true, false);
    EXPECT_EQ(l.result, Tal_Err_UNREQUESTED_SERVICE);
    EXPECT_EQ(l.ok, 0);
    EXPECT_EQ(l.mul, nullptr);
    EXPECT_EQ(l.div, nullptr);
    EXPECT_EQ(TakeReports(), std::vector<Report>{report});
    EXPECT_EQ(Tal_UnprepareFCMD(), Tal_Err_UNREQUESTED_SERVICE);
    EXPECT_EQ(TakeReports(),
              std::vector<Report>{
                  Msg(0x110020, "attempt to use unrequested math service (fast char math).")});
    EXPECT_EQ(Talp_G.fcmdRequests, 4);
}

TEST_P(UnrequestedTrig, ReportsTheServiceAndLeavesTheCount) {
    const Report report = Msg(0x11002A, "attempt to use unrequested math service (fast trig).");
    const TrigLoan l = PrepareTrig(true, false);
    EXPECT_EQ(l.result, Tal_Err_UNREQUESTED_SERVICE);
    EXPECT_EQ(l.ok, 0);
    EXPECT_EQ(l.sine, nullptr);
    EXPECT_EQ(TakeReports(), std::vector<Report>{report});
    EXPECT_EQ(Tal_UnprepareFTrig(), Tal_Err_UNREQUESTED_SERVICE);
    EXPECT_EQ(TakeReports(), std::vector<Report>{report});
    EXPECT_EQ(Talp_G.trigRequests, 4);
}

auto CaseName = [](const auto& info) { return std::string(info.param.name); };

INSTANTIATE_TEST_SUITE_P(Births, UnrequestedFcmd,
                         ::testing::Values(UnrequestedCase{"Basic", 1}, UnrequestedCase{"Trig", 2},
                                           UnrequestedCase{"AfterDeath", 0xFF}),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(Births, UnrequestedTrig,
                         ::testing::Values(UnrequestedCase{"Nothing", 0},
                                           UnrequestedCase{"Fcmd", 4},
                                           UnrequestedCase{"AfterDeath", 0xFF}),
                         CaseName);

TEST_F(FrameTest, PreparedTablesAreExactAndOptionalOutputsMayBeNull) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    const FcmdLoan f = PrepareFcmd(true, false);
    EXPECT_EQ(f.result, 0);
    EXPECT_EQ(f.ok, 1);
    EXPECT_TRUE(CharTablesExact(f.mul, f.div));
    EXPECT_EQ(f.mul, Bas_HandleBlock(Talp_G.mulHandle));
    const TrigLoan t = PrepareTrig(true, false);
    EXPECT_EQ(t.ok, 1);
    EXPECT_TRUE(SineExact(t.sine));
    EXPECT_EQ(Tal_PrepareFCMD(0, 0, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(Tal_PrepareFTrig(0, 0, nullptr, nullptr), 0);
    EXPECT_EQ(Talp_G.fcmdRequests, 2);
    EXPECT_EQ(Talp_G.trigRequests, 2);
    EXPECT_TRUE(TakeReports().empty());
}

TEST_F(FrameTest, TablesArePurgeableFromBirthUntilBorrowed) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    Bas_PurgeMemory();
    EXPECT_EQ(Bas_HandleBlock(Talp_G.mulHandle), nullptr);
    EXPECT_EQ(Bas_HandleBlock(Talp_G.divHandle), nullptr);
    EXPECT_EQ(Bas_HandleBlock(Talp_G.sineHandle), nullptr);
}

TEST_F(FrameTest, OnlyTheLastUnprepareMakesTheTablesPurgeable) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    // Birth tables stay purgeable while lent; rebuilt ones are not until the last Unprepare.
    Bas_PurgeMemory();
    const FcmdLoan first = PrepareFcmd(true, false);
    const TrigLoan trig = PrepareTrig(true, false);
    const FcmdLoan second = PrepareFcmd(true, false);
    EXPECT_EQ(first.mul, second.mul);
    EXPECT_EQ(Tal_UnprepareFCMD(), 0);
    Bas_PurgeMemory();
    EXPECT_TRUE(CharTablesExact(static_cast<const uint8_t*>(Bas_HandleBlock(Talp_G.mulHandle)),
                                static_cast<const uint8_t*>(Bas_HandleBlock(Talp_G.divHandle))));
    EXPECT_TRUE(SineExact(static_cast<const float*>(Bas_HandleBlock(Talp_G.sineHandle))));
    EXPECT_EQ(Tal_UnprepareFCMD(), 0);
    EXPECT_EQ(Tal_UnprepareFTrig(), 0);
    EXPECT_EQ(Talp_G.fcmdRequests, 0);
    Bas_PurgeMemory();
    EXPECT_EQ(Bas_HandleBlock(Talp_G.mulHandle), nullptr);
    EXPECT_EQ(Bas_HandleBlock(Talp_G.divHandle), nullptr);
    EXPECT_EQ(Bas_HandleBlock(Talp_G.sineHandle), nullptr);
    EXPECT_TRUE(TakeReports().empty());
    EXPECT_EQ(trig.ok, 1);
}

TEST_F(FrameTest, PurgedTablesAreRebuiltUnpurgeableByTheFirstBorrower) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    Bas_PurgeMemory();
    const FcmdLoan f = PrepareFcmd(true, false);
    const TrigLoan t = PrepareTrig(true, false);
    EXPECT_EQ(f.result | t.result, 0);
    EXPECT_EQ(f.ok & t.ok, 1);
    Bas_PurgeMemory();  // borrowed tables are not purgeable
    EXPECT_TRUE(CharTablesExact(f.mul, f.div));
    EXPECT_TRUE(SineExact(t.sine));
    EXPECT_EQ(Bas_LiveHandleCount(), 3);
    EXPECT_TRUE(TakeReports().empty());
}

TEST_F(FrameTest, BorrowedTablesAreNotCheckedAgain) {
    ASSERT_EQ(Tal_Birth(4, nullptr), 0);
    Talp_G.fcmdRequests = 1;  // an outstanding request: purging is the base library's fault now
    Bas_PurgeMemory();
    const FcmdLoan f = PrepareFcmd(true, false);
    EXPECT_EQ(f.result, 0);
    EXPECT_EQ(f.ok, 1);
    EXPECT_EQ(f.mul, nullptr);
    EXPECT_EQ(Talp_G.fcmdRequests, 2);
}

// Failed loans: purged tables with noRebuild, or a rebuild whose allocation fails.
struct FailedLoanCase {
    const char* name;
    bool reportFailure;
    bool noRebuild;
    int32_t skip;  // successful allocations before one fails (-1: no injected failure)
};

class FailedLoan : public FrameTest, public ::testing::WithParamInterface<FailedLoanCase> {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        ASSERT_EQ(Tal_Birth(7, nullptr), 0);
        Bas_PurgeMemory();
        if (GetParam().skip >= 0) Bas_FailHandleAllocationsAfter(GetParam().skip, 1);
    }
    Tal_Err ExpectedResult() const { return GetParam().reportFailure ? Tal_Err_OUT_OF_MEMORY : 0; }
    std::vector<Report> ExpectedReports(int32_t code, const char* text) const {
        if (!GetParam().reportFailure) return {};
        return {Msg(code, text)};
    }
};

class FailedFcmdLoan : public FailedLoan {};
class FailedTrigLoan : public FailedLoan {};

TEST_P(FailedFcmdLoan, CountsTheRequestAndLendsNothing) {
    const FailedLoanCase& c = GetParam();
    const FcmdLoan l = PrepareFcmd(c.reportFailure, c.noRebuild);
    EXPECT_EQ(l.result, ExpectedResult());
    EXPECT_EQ(l.ok, 0);
    EXPECT_EQ(l.mul, nullptr);
    EXPECT_EQ(l.div, nullptr);
    EXPECT_EQ(Talp_G.fcmdRequests, 1);
    EXPECT_EQ(TakeReports(), ExpectedReports(0x11001F, "fast character math will be unavailable."));
    // The sine table is untouched; a failed rebuild leaves no character table behind.
    EXPECT_EQ(Bas_LiveHandleCount(), c.noRebuild ? 3 : 1);
    if (!c.noRebuild) {
        EXPECT_EQ(Talp_G.mulHandle | Talp_G.divHandle, 0u);
    }
}

TEST_P(FailedTrigLoan, CountsTheRequestAndLendsNothing) {
    const FailedLoanCase& c = GetParam();
    const TrigLoan l = PrepareTrig(c.reportFailure, c.noRebuild);
    EXPECT_EQ(l.result, ExpectedResult());
    EXPECT_EQ(l.ok, 0);
    EXPECT_EQ(l.sine, nullptr);
    EXPECT_EQ(Talp_G.trigRequests, 1);
    EXPECT_EQ(TakeReports(), ExpectedReports(0x11002A, "fast trig will be unavailable."));
    EXPECT_EQ(Bas_LiveHandleCount(), c.noRebuild ? 3 : 2);
    if (!c.noRebuild) {
        EXPECT_EQ(Talp_G.sineHandle, 0u);
    }
}

const FailedLoanCase kOneBlockFailures[] = {{"NoRebuildQuiet", false, true, -1},
                                            {"NoRebuildReported", true, true, -1},
                                            {"FirstBlockQuiet", false, false, 0},
                                            {"FirstBlockReported", true, false, 0}};
const FailedLoanCase kSecondBlockFailures[] = {{"SecondBlockQuiet", false, false, 1},
                                               {"SecondBlockReported", true, false, 1}};

INSTANTIATE_TEST_SUITE_P(Causes, FailedFcmdLoan, ::testing::ValuesIn(kOneBlockFailures), CaseName);
INSTANTIATE_TEST_SUITE_P(SecondBlock, FailedFcmdLoan, ::testing::ValuesIn(kSecondBlockFailures),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(Causes, FailedTrigLoan, ::testing::ValuesIn(kOneBlockFailures), CaseName);

TEST_F(FrameTest, AfterAFailedRebuildTheServiceIsGoneUntilTheNextBirth) {
    ASSERT_EQ(Tal_Birth(4, nullptr), 0);
    Bas_PurgeMemory();
    Bas_FailNextHandleAllocations(1);
    EXPECT_EQ(PrepareFcmd(false, false).ok, 0);
    TakeReports();
    EXPECT_EQ(PrepareFcmd(false, false).result, Tal_Err_UNREQUESTED_SERVICE);
    EXPECT_EQ(Tal_Death(), 0);
    Talp_G.fcmdRequests = 0;
    ASSERT_EQ(Tal_Birth(4, nullptr), 0);
    EXPECT_TRUE(CharTablesExact(PrepareFcmd(true, false).mul, PrepareFcmd(true, false).div));
}

TEST_F(FrameTest, CountsSurviveDeathAndBirthAndWrapAsSixteenBits) {
    ASSERT_EQ(Tal_Birth(2, nullptr), 0);
    EXPECT_EQ(Tal_UnprepareFTrig(), 0);  // without a Prepare: a caller error the count shows
    EXPECT_EQ(Talp_G.trigRequests, 0xFFFF);
    EXPECT_EQ(PrepareTrig(true, false).ok, 1);
    EXPECT_EQ(Talp_G.trigRequests, 0);
    EXPECT_EQ(PrepareTrig(true, false).ok, 1);
    ASSERT_EQ(Tal_Death(), 0);
    ASSERT_EQ(Tal_Birth(2, nullptr), 0);
    EXPECT_EQ(Talp_G.trigRequests, 1);
}

TEST_F(FrameTest, HandedOverTablesStayLent) {
    ASSERT_EQ(Tal_Birth(4, nullptr), 0);
    const FcmdLoan before = PrepareFcmd(true, false);
    unsigned char block[36];
    ASSERT_EQ(Tal_GetGlobals(block), 0);
    ASSERT_EQ(Tal_SetGlobals(block), 0);
    const FcmdLoan after = PrepareFcmd(true, false);
    EXPECT_EQ(after.mul, before.mul);
    EXPECT_EQ(after.div, before.div);
    EXPECT_EQ(Talp_G.fcmdRequests, 2);
}

}  // namespace

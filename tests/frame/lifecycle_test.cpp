// Birth and death, the globals hand-over and the version checks.
#include <functional>

#include "frame/frame_fixture.h"
#include "frame/frame_internal.h"

namespace {

using taltest::Born;
using taltest::FrameTest;
using taltest::Niro;
using taltest::Report;
using taltest::TakeReports;

constexpr uint32_t kUnwritten = 0xDEADBEEF;
const char* const kGaussianText = "Gaussian table initialization.";

Talp_Globals BornBlock(uint32_t services) {
    Talp_Globals g{};
    g.guard1 = g.guard2 = Tal_BornGuard;
    g.bornServices = services;
    return g;
}

// ---- Birth ------------------------------------------------------------------------------------

struct BirthCase {
    const char* name;
    Tal_ServiceFlags requested;
    Tal_Err result;
    uint32_t bornServices;
    std::vector<Report> reports;
};

class Birth : public FrameTest, public ::testing::WithParamInterface<BirthCase> {};

TEST_P(Birth, RecordsServicesUpToTheFirstFailureAndIsBornOnlyWithoutOne) {
    const BirthCase& c = GetParam();
    uint32_t out = kUnwritten;
    EXPECT_EQ(Tal_Birth(c.requested, &out), c.result);
    EXPECT_EQ(out, c.bornServices);
    EXPECT_EQ(Talp_G.bornServices, c.bornServices);
    EXPECT_EQ(TakeReports(), c.reports);
    EXPECT_EQ(Born(), c.result == 0);
    EXPECT_EQ(Talp_G.guard1, c.result == 0 ? Tal_BornGuard : 0u);
    EXPECT_EQ(Talp_G.guard2, c.result == 0 ? Tal_BornGuard : 0u);
    // Handles exist exactly for the table services of a successful birth.
    const uint32_t kept = c.result == 0 ? c.bornServices : 0;
    EXPECT_EQ(Talp_G.sineHandle != 0, (kept & Tal_Service_FAST_TRIG) != 0);
    EXPECT_EQ(Talp_G.mulHandle != 0, (kept & Tal_Service_FCMD) != 0);
    EXPECT_EQ(Talp_G.divHandle != 0, (kept & Tal_Service_FCMD) != 0);
    const int tables = (c.bornServices & Tal_Service_FAST_TRIG ? 1 : 0) +
                       (c.bornServices & Tal_Service_FCMD ? 2 : 0);
    EXPECT_EQ(Bas_LiveHandleCount(), c.result == 0 ? tables : 0);
}

const Report kGaussianBirth = Niro(0x11001D, 5, kGaussianText);

INSTANTIATE_TEST_SUITE_P(
    Services, Birth,
    ::testing::Values(BirthCase{"Nothing", 0, 0, 0, {}}, BirthCase{"Basic", 1, 0, 1, {}},
                      BirthCase{"Trig", 2, 0, 2, {}}, BirthCase{"Fcmd", 4, 0, 4, {}},
                      BirthCase{"ThreeServices", 7, 0, 7, {}},
                      BirthCase{"UnknownBitsIgnored", 0xF1, 0, 1, {}},
                      BirthCase{"BasicAndGaussian", 1 | 8, Bas_NiroErr(5), 1, {kGaussianBirth}},
                      BirthCase{"GaussianAlone", 8, Bas_NiroErr(5), 0, {kGaussianBirth}},
                      BirthCase{
                          "AllFourReleasesTheTables", 15, Bas_NiroErr(5), 7, {kGaussianBirth}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BirthFaultCase {
    const char* name;
    Tal_ServiceFlags requested;
    int32_t skip;  // allocations that succeed before the failing one
    uint32_t bornServices;
    Report report;
};

class BirthFault : public FrameTest, public ::testing::WithParamInterface<BirthFaultCase> {};

TEST_P(BirthFault, ReturnsOutOfMemoryReportedByTheBaseLibraryAndLeaksNothing) {
    const BirthFaultCase& c = GetParam();
    Bas_FailHandleAllocationsAfter(c.skip, 1);
    uint32_t out = kUnwritten;
    EXPECT_EQ(Tal_Birth(c.requested, &out), Tal_Err_OUT_OF_MEMORY);
    EXPECT_EQ(out, c.bornServices);
    EXPECT_EQ(TakeReports(), std::vector<Report>{c.report});
    EXPECT_FALSE(Born());
    EXPECT_EQ(Bas_LiveHandleCount(), 0);
    EXPECT_EQ(Talp_G.mulHandle | Talp_G.divHandle | Talp_G.sineHandle, 0u);
}

const Report kTrigOom =
    taltest::Msg(0x110019, "out of memory allocating FCM/D table (1024 bytes).");
const Report kFcmdOom =
    taltest::Msg(0x11001B, "out of memory allocating FCM/D table (65536 bytes).");

INSTANTIATE_TEST_SUITE_P(
    AllocationSites, BirthFault,
    ::testing::Values(BirthFaultCase{"SineBlock", 1 | 2, 0, 1, kTrigOom},
                      BirthFaultCase{"MultiplyBlock", 1 | 4, 0, 1, kFcmdOom},
                      BirthFaultCase{"DivideBlock", 1 | 4, 1, 1, kFcmdOom},
                      BirthFaultCase{"DivideBlockAfterSine", 2 | 4, 2, 2, kFcmdOom},
                      // The character tables set up after the failure are not recorded either.
                      BirthFaultCase{"SineBeforeCharTables", 2 | 4, 0, 0, kTrigOom}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameTest, SecondBirthReportsAlreadyBornAndChangesNothing) {
    ASSERT_EQ(Tal_Birth(1 | 4, nullptr), 0);
    const Talp_Globals before = taltest::Snapshot();
    const int32_t handles = Bas_LiveHandleCount();
    uint32_t out = kUnwritten;
    EXPECT_EQ(Tal_Birth(2, &out), Bas_NiroErr(12));
    EXPECT_EQ(out, kUnwritten);
    EXPECT_EQ(TakeReports(), std::vector<Report>{Niro(0x110014, 12)});
    EXPECT_TRUE(taltest::SameBytes(before, Talp_G));
    EXPECT_EQ(Bas_LiveHandleCount(), handles);
}

TEST_F(FrameTest, BirthAfterDeathStartsOverWithTheNewServices) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    ASSERT_EQ(Tal_Death(), 0);
    uint32_t out = kUnwritten;
    EXPECT_EQ(Tal_Birth(2, &out), 0);
    EXPECT_EQ(out, 2u);
    EXPECT_EQ(Bas_LiveHandleCount(), 1);
}

// ---- Death ------------------------------------------------------------------------------------

TEST_F(FrameTest, DeathFreesEveryTableAndKeepsServicesAndCounts) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    Talp_G.fcmdRequests = 3;
    Talp_G.trigRequests = 5;
    EXPECT_EQ(Tal_Death(), 0);
    EXPECT_TRUE(TakeReports().empty());
    EXPECT_FALSE(Born());
    EXPECT_EQ(Talp_G.guard1 | Talp_G.guard2, 0u);
    EXPECT_EQ(Talp_G.bornServices, 7u);
    EXPECT_EQ(Talp_G.mulHandle | Talp_G.divHandle | Talp_G.sineHandle, 0u);
    EXPECT_EQ(Talp_G.fcmdRequests, 3);
    EXPECT_EQ(Talp_G.trigRequests, 5);
    EXPECT_EQ(Bas_LiveHandleCount(), 0);
}

TEST_F(FrameTest, DeathOfAHandedOverGaussianServiceReturnsItsReport) {
    const Talp_Globals block = BornBlock(1 | 8);
    ASSERT_EQ(Tal_SetGlobals(&block), 0);
    EXPECT_EQ(Tal_Death(), Bas_NiroErr(5));
    EXPECT_EQ(TakeReports(), std::vector<Report>{Niro(0x11001E, 5, kGaussianText)});
    EXPECT_FALSE(Born());
}

// ---- The refusals of the state table --------------------------------------------------------

struct RefusalCase {
    const char* name;
    bool born;
    std::function<Tal_Err()> call;
    Report report;
};

class Refusal : public FrameTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, ReportsTheBaseLibraryNumberAndChangesNothing) {
    const RefusalCase& c = GetParam();
    if (c.born) {
        ASSERT_EQ(Tal_Birth(1 | 2, nullptr), 0);
    }
    const Talp_Globals before = taltest::Snapshot();
    EXPECT_EQ(c.call(), Bas_NiroErr(c.report.number));
    EXPECT_EQ(TakeReports(), std::vector<Report>{c.report});
    EXPECT_TRUE(taltest::SameBytes(before, Talp_G));
    EXPECT_EQ(Born(), c.born);
}

Talp_Globals g_sink;
const Talp_Globals g_other = BornBlock(1);

INSTANTIATE_TEST_SUITE_P(
    StateTable, Refusal,
    ::testing::Values(RefusalCase{"BirthWhenBorn", true, [] { return Tal_Birth(1, nullptr); },
                                  Niro(0x110014, 12)},
                      RefusalCase{"SetGlobalsWhenBorn", true,
                                  [] { return Tal_SetGlobals(&g_other); }, Niro(0x110017, 12)},
                      RefusalCase{"DeathWhenNotBorn", false, [] { return Tal_Death(); },
                                  Niro(0x110015, 11)},
                      RefusalCase{"GetGlobalsWhenNotBorn", false,
                                  [] { return Tal_GetGlobals(&g_sink); }, Niro(0x110016, 11)},
                      RefusalCase{"GetGlobalsIntoNull", true,
                                  [] { return Tal_GetGlobals(nullptr); }, Niro(0x110016, 2)},
                      RefusalCase{"SetGlobalsFromNull", false,
                                  [] { return Tal_SetGlobals(nullptr); }, Niro(0x110017, 2)}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Hand-over --------------------------------------------------------------------------------

TEST_F(FrameTest, HandOverMovesTheWholeBlockAndBack) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    Talp_G.fcmdRequests = 2;
    Talp_G.trigRequests = 0xFFFF;
    const Talp_Globals born = taltest::Snapshot();

    unsigned char moved[36];
    std::memset(moved, 0xA5, sizeof moved);
    EXPECT_EQ(Tal_GetGlobals(moved), 0);
    EXPECT_EQ(std::memcmp(moved, &born, 36), 0);
    EXPECT_FALSE(Born());
    Talp_Globals expectLeft = born;
    expectLeft.guard1 = expectLeft.guard2 = 0;
    EXPECT_TRUE(taltest::SameBytes(expectLeft, Talp_G));

    // A second instance: another birth is possible; its own state is moved out again.
    EXPECT_EQ(Tal_Birth(1, nullptr), 0);
    unsigned char second[36];
    EXPECT_EQ(Tal_GetGlobals(second), 0);

    EXPECT_EQ(Tal_SetGlobals(moved), 0);
    EXPECT_TRUE(Born());
    EXPECT_TRUE(taltest::SameBytes(born, Talp_G));
    EXPECT_TRUE(TakeReports().empty());
    EXPECT_EQ(Bas_LiveHandleCount(), 3);
}

struct BadBlockCase {
    const char* name;
    uint32_t guard1;
    uint32_t guard2;
};

class BadBlock : public FrameTest, public ::testing::WithParamInterface<BadBlockCase> {};

TEST_P(BadBlock, IsCopiedButLeavesTheLibraryNotBorn) {
    Talp_Globals block = BornBlock(7);
    block.guard1 = GetParam().guard1;
    block.guard2 = GetParam().guard2;
    block.fcmdRequests = 9;
    EXPECT_EQ(Tal_SetGlobals(&block), Bas_NiroErr(2));
    EXPECT_EQ(TakeReports(), std::vector<Report>{Niro(0x110017, 2)});
    EXPECT_TRUE(taltest::SameBytes(block, Talp_G));
    EXPECT_FALSE(Born());
    // Not born: the next birth is accepted.
    EXPECT_EQ(Tal_Birth(1, nullptr), 0);
}

INSTANTIATE_TEST_SUITE_P(Guards, BadBlock,
                         ::testing::Values(BadBlockCase{"Zero", 0, 0},
                                           BadBlockCase{"FirstWrong", 0x27182819, Tal_BornGuard},
                                           BadBlockCase{"SecondWrong", Tal_BornGuard, 0x18281827},
                                           BadBlockCase{"SecondZero", Tal_BornGuard, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Versions ---------------------------------------------------------------------------------

class Versions : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        Talp_ResetVersionCheck();
        Basp_FailVersionChecks(false, false);
    }
    void TearDown() override {
        Basp_FailVersionChecks(false, false);
        FrameTest::TearDown();
    }
};

std::string Mismatch(long expected) {
    return "Plug-in version mismatch detected (did you install over an older version of Sorvane?). "
           "Try uninstalling and re-installing. (Tal package v18 != Tal v" +
           std::to_string(expected) + ")";
}

TEST_F(Versions, BaseLibrariesAreCheckedOnceWithThePackageCode) {
    const Basp_VersionCheckLog before = Basp_VersionChecks();
    EXPECT_EQ(Tal_CheckVersions(0x230007, 18), 0);
    EXPECT_EQ(Tal_CheckVersions(0x230007, 18), 0);
    const Basp_VersionCheckLog after = Basp_VersionChecks();
    EXPECT_EQ(after.basCalls - before.basCalls, 1);
    EXPECT_EQ(after.lexCalls - before.lexCalls, 1);
    EXPECT_EQ(after.basCode, 0x110001);
    EXPECT_EQ(after.lexCode, 0x110001);
    EXPECT_EQ(after.basVersion, 61);
    EXPECT_EQ(after.lexVersion, 3);
    EXPECT_TRUE(TakeReports().empty());
}

struct BaseFailureCase {
    bool bas;
    bool lex;
};

class VersionsBaseFailure : public Versions,
                            public ::testing::WithParamInterface<BaseFailureCase> {};

TEST_P(VersionsBaseFailure, FailsTheFirstCallOnlyAndRunsBothChecks) {
    Basp_FailVersionChecks(GetParam().bas, GetParam().lex);
    const Basp_VersionCheckLog before = Basp_VersionChecks();
    EXPECT_EQ(Tal_CheckVersions(0x230007, 18), Tal_Err_VERSION_MISMATCH);
    EXPECT_EQ(Basp_VersionChecks().lexCalls - before.lexCalls, 1);
    EXPECT_EQ(Tal_CheckVersions(0x230007, 18), 0);
    EXPECT_TRUE(TakeReports().empty());
}

INSTANTIATE_TEST_SUITE_P(Either, VersionsBaseFailure,
                         ::testing::Values(BaseFailureCase{true, false},
                                           BaseFailureCase{false, true},
                                           BaseFailureCase{true, true}));

class VersionsMismatch : public Versions, public ::testing::WithParamInterface<int32_t> {};

TEST_P(VersionsMismatch, ComposesTheMessageUnderTheCallersCode) {
    EXPECT_EQ(Tal_CheckVersions(0x110001, 18), 0);  // the once-only checks are behind us
    Basp_G_err_buf[0] = -1;
    EXPECT_EQ(Tal_CheckVersions(0x230007, GetParam()), Tal_Err_VERSION_MISMATCH);
    EXPECT_EQ(Basp_G_err_buf[0], 0);
    EXPECT_EQ(TakeReports(), std::vector<Report>{taltest::Msg(0x230007, Mismatch(GetParam()), 16)});
}

INSTANTIATE_TEST_SUITE_P(Majors, VersionsMismatch,
                         ::testing::Values(17, 19, 0, -1, INT32_MAX, INT32_MIN, 0x120004));

TEST_F(Versions, MismatchOnTheFirstCallStillRunsTheBaseChecks) {
    const Basp_VersionCheckLog before = Basp_VersionChecks();
    EXPECT_EQ(Tal_CheckVersions(0x230007, 17), Tal_Err_VERSION_MISMATCH);
    EXPECT_EQ(Basp_VersionChecks().basCalls - before.basCalls, 1);
    EXPECT_EQ(TakeReports().size(), 1u);
}

TEST(PackageVersion, IsMajor18Minor4) {
    EXPECT_EQ(Tal_PkgObjectVersion(), 0x120004u);
    EXPECT_EQ(Tal_PkgObjectVersion() >> 16, uint32_t(Tal_MajorVersion));
}

}  // namespace

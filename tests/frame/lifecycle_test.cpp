// Birth and death, the globals hand-over, the version checks and the two table services.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "frame/base_library.h"
#include "frame/frame_internal.h"
#include "support/reports.h"

namespace {

using taltest::Msg;
using taltest::TakeReports;
using Reports = std::vector<taltest::Report>;

constexpr uint32_t kUnwritten = 0xDEADBEEF;
const char* const kGaussianText = "Gaussian table initialization.";

taltest::Report Niro(int32_t code, int32_t number, const char* text = "") {
    return {code, 8, number, text};
}
bool SameBytes(const Talp_Globals& a, const Talp_Globals& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
Talp_Globals BornBlock(uint32_t services) {
    return {Tal_BornGuard, services, 0, 0, 0, 0, 0, Tal_BornGuard, 0, 0};
}

// Every test starts from a freshly loaded library: all-zero globals, no handles, no reports.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override {
        Reset();
        EXPECT_EQ(Bas_LiveHandleCount(), 0) << "a handle leaked";
    }
    static void Reset() {
        Bas_FailHandleAllocationsAfter(0, 0);
        Tal_Death();  // refused unless born; the report is dropped below
        std::memset(&Talp_G, 0, sizeof Talp_G);
        TakeReports();
    }
};

TEST_F(FrameTest, BirthRecordsServicesUpToTheFirstFailureAndKeepsTablesOnlyWhenBorn) {
    const Tal_Err oom = Tal_Err_OUT_OF_MEMORY, gauss = Bas_NiroErr(5);
    const Reports gaussian{Niro(0x11001D, 5, kGaussianText)};
    const Reports trigOom{Msg(0x110019, "out of memory allocating FCM/D table (1024 bytes).")};
    const Reports fcmdOom{Msg(0x11001B, "out of memory allocating FCM/D table (65536 bytes).")};
    // skip: allocations that succeed before one fails (-1: none); unknown bits are ignored.
    // clang-format off
    const struct { Tal_ServiceFlags requested; int32_t skip; Tal_Err result; uint32_t born;
                   Reports reports; } cases[] = {{0, -1, 0, 0, {}}, {1, -1, 0, 1, {}},
        {2, -1, 0, 2, {}}, {4, -1, 0, 4, {}}, {7, -1, 0, 7, {}}, {0xF1, -1, 0, 1, {}},
        {1 | 8, -1, gauss, 1, gaussian}, {8, -1, gauss, 0, gaussian}, {15, -1, gauss, 7, gaussian},
        {1 | 2, 0, oom, 1, trigOom},
        {1 | 4, 0, oom, 1, fcmdOom}, {1 | 4, 1, oom, 1, fcmdOom}, {2 | 4, 2, oom, 2, fcmdOom},
        {2 | 4, 0, oom, 0, trigOom}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.requested) << " skip " << c.skip);
        Reset();
        Bas_FailHandleAllocationsAfter(c.skip, c.skip >= 0);
        uint32_t out = kUnwritten;
        EXPECT_EQ(Tal_Birth(c.requested, &out), c.result);
        EXPECT_TRUE(out == c.born && Talp_G.bornServices == c.born);
        EXPECT_EQ(TakeReports(), c.reports);
        EXPECT_EQ(uint64_t(Talp_G.guard1) << 32 | Talp_G.guard2,
                  c.result ? 0 : 0x2718281827182818u);
        const uint32_t kept = c.result ? 0 : c.born;
        EXPECT_EQ(!!Talp_G.sineHandle + 2 * !!Talp_G.mulHandle + 4 * !!Talp_G.divHandle,
                  (kept & 2 ? 1 : 0) + (kept & 4 ? 6 : 0));
        EXPECT_EQ(Bas_LiveHandleCount(), (kept & 2 ? 1 : 0) + (kept & 4 ? 2 : 0));
    }
}

Talp_Globals g_moved = BornBlock(0);  // the refused calls' outputs stay unwritten
uint32_t g_out = kUnwritten;
const Talp_Globals g_other = BornBlock(1);

TEST_F(FrameTest, RefusalsReportTheBaseLibraryNumberAndChangeNothing) {
    // clang-format off
    const struct { bool born; Tal_Err (*call)(); taltest::Report report; } cases[] = {
        {true, [] { return Tal_Birth(2, &g_out); }, Niro(0x110014, 12)},
        {true, [] { return Tal_SetGlobals(&g_other); }, Niro(0x110017, 12)},
        {true, [] { return Tal_GetGlobals(nullptr); }, Niro(0x110016, 2)},
        {false, [] { return Tal_Death(); }, Niro(0x110015, 11)},
        {false, [] { return Tal_GetGlobals(&g_moved); }, Niro(0x110016, 11)},
        {false, [] { return Tal_SetGlobals(nullptr); }, Niro(0x110017, 2)}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.report);
        Reset();
        ASSERT_EQ(c.born ? Tal_Birth(1 | 4, nullptr) : 0, 0);
        const Talp_Globals before = Talp_G;
        EXPECT_EQ(c.call(), Bas_NiroErr(c.report.number));
        EXPECT_EQ(TakeReports(), Reports{c.report});
        EXPECT_TRUE(SameBytes(before, Talp_G));
        EXPECT_EQ(Bas_LiveHandleCount(), c.born ? 2 : 0);
        EXPECT_TRUE(g_out == kUnwritten && SameBytes(g_moved, BornBlock(0)));
    }
}

TEST_F(FrameTest, DeathFreesTheTablesAndKeepsServicesAndCounts) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    EXPECT_EQ(Tal_Death(), 0);
    EXPECT_TRUE(TakeReports().empty());
    EXPECT_TRUE(SameBytes(Talp_G, {0, 7, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bas_LiveHandleCount(), 0);
    // A handed-over Gaussian service reports again at death, and that is the result.
    const Talp_Globals gaussian = BornBlock(1 | 8);
    ASSERT_EQ(Tal_SetGlobals(&gaussian), 0);
    EXPECT_EQ(Tal_Death(), Bas_NiroErr(5));
    EXPECT_EQ(TakeReports(), Reports{Niro(0x11001E, 5, kGaussianText)});
    EXPECT_EQ(Talp_G.guard1 | Talp_G.guard2, 0u);
}

TEST_F(FrameTest, HandOverMovesExactlyTheBlockOutAndBack) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    Talp_G.fcmdRequests = 2;
    Talp_G.trigRequests = 0xFFFF;
    const Talp_Globals born = Talp_G;
    unsigned char moved[37];
    std::memset(moved, 0xA5, sizeof moved);
    EXPECT_EQ(Tal_GetGlobals(moved), 0);
    EXPECT_TRUE(std::memcmp(moved, &born, 36) == 0 && moved[36] == 0xA5);
    Talp_Globals left = born;
    left.guard1 = left.guard2 = 0;
    EXPECT_TRUE(SameBytes(left, Talp_G));
    EXPECT_EQ(Tal_SetGlobals(moved), 0);
    EXPECT_TRUE(SameBytes(born, Talp_G));
    EXPECT_TRUE(TakeReports().empty());
}

TEST_F(FrameTest, SetGlobalsWithABrokenGuardCopiesTheBlockButStaysNotBorn) {
    const uint32_t guards[][2] = {
        {0, 0}, {0x27182819, Tal_BornGuard}, {Tal_BornGuard, 0x18281827}, {Tal_BornGuard, 0}};
    for (const auto& g : guards) {
        Reset();
        const Talp_Globals block = {g[0], 7, 0, 0, 0, 0, 0, g[1], 9, 0};
        EXPECT_EQ(Tal_SetGlobals(&block), Bas_NiroErr(2));
        EXPECT_EQ(TakeReports(), Reports{Niro(0x110017, 2)});
        EXPECT_TRUE(SameBytes(block, Talp_G));
        EXPECT_EQ(Tal_Birth(1, nullptr), 0);  // not born: a birth is accepted
    }
}

TEST(Versions, BaseLibrariesAreCheckedOnlyOnTheFirstCallWithThePackageCode) {
    for (const int failures : {3, 2, 1, 0}) {
        Talp_ResetVersionCheck();
        Basp_FailVersionChecks(failures & 1, failures & 2);
        const Basp_VersionCheckLog a = Basp_VersionChecks();
        EXPECT_EQ(Tal_CheckVersions(0x230007, 18), failures ? Tal_Err_VERSION_MISMATCH : 0);
        EXPECT_EQ(Tal_CheckVersions(0x230007, 18), 0);
        const Basp_VersionCheckLog b = Basp_VersionChecks();
        EXPECT_EQ((std::vector<int32_t>{b.basCalls - a.basCalls, b.lexCalls - a.lexCalls, b.basCode,
                                        b.lexCode, b.basVersion, b.lexVersion}),
                  (std::vector<int32_t>{1, 1, 0x110001, 0x110001, 61, 3}));  // both always run
        EXPECT_TRUE(TakeReports().empty());
    }
}

TEST(Versions, AnotherMajorComposesTheMismatchMessageUnderTheCallersCode) {
    Talp_ResetVersionCheck();
    TakeReports();
    const int basCalls = Basp_VersionChecks().basCalls;
    for (int32_t major : {17, 19, 0, -1, INT32_MAX, INT32_MIN, 0x120004}) {
        Basp_G_err_buf[0] = -1;
        EXPECT_EQ(Tal_CheckVersions(0x230007, major), Tal_Err_VERSION_MISMATCH);
        EXPECT_EQ(Basp_G_err_buf[0], 0);
        const std::string text =
            "Plug-in version mismatch detected (did you install over an older version of "
            "Sorvane?). Try uninstalling and re-installing. (Tal package v18 != Tal v" +
            std::to_string(major) + ")";
        EXPECT_EQ(TakeReports(), Reports{Msg(0x230007, text, 16)});
    }
    EXPECT_EQ(Basp_VersionChecks().basCalls - basCalls, 1);  // a first-call mismatch still checks
    EXPECT_EQ(Tal_PkgObjectVersion(), 0x120004u);
}

// ---- Table services -----------------------------------------------------------------------------

// The defining formulas, with true divisions in 64-bit arithmetic; t: multiply or sine, d: divide.
bool TablesExact(bool fcmd, const void* t, const void* d) {
    const auto *mul = static_cast<const uint8_t*>(t), *div = static_cast<const uint8_t*>(d);
    const float* sine = static_cast<const float*>(t);
    for (uint64_t n = 0, i = 0, j = 0; fcmd && mul && div && n < 65536; i = ++n >> 8, j = n & 255)
        if (mul[n] != (i * j + 127) / 255 || div[n] != (j >= i ? 255 : (j * 255 + i / 2) / i))
            return false;
    for (int k = 0; !fcmd && sine && k < Tal_SineTableSize; ++k)
        if (sine[k] != float(std::sin(k / 255.0 * (2.0 * std::atan(1.0))))) return false;
    return t && (d || !fcmd);
}

// clang-format off
struct Service {
    bool fcmd; int32_t code; const char *phrase, *unavailable;
    uint16_t Talp_Globals::*requests; Tal_Err (*unprepare)();
};
const Service kServices[] = {
    {true, 0x11001F, "fast char math", "fast character math will be unavailable.",
     &Talp_Globals::fcmdRequests, Tal_UnprepareFCMD},
    {false, 0x11002A, "fast trig", "fast trig will be unavailable.", &Talp_Globals::trigRequests,
     Tal_UnprepareFTrig}};
struct Loan { Tal_Err result; uint8_t ok; const void *table, *div; };  // table: multiply or sine
// clang-format on

Loan Prepare(const Service& s, bool reportFailure, bool noRebuild) {
    static const uint8_t kSentinel[4] = {};
    const uint8_t *mul = kSentinel, *div = kSentinel;
    const float* sine = reinterpret_cast<const float*>(kSentinel);
    uint8_t ok = 0xEE;
    if (s.fcmd) return {Tal_PrepareFCMD(reportFailure, noRebuild, &ok, &mul, &div), ok, mul, div};
    return {Tal_PrepareFTrig(reportFailure, noRebuild, &ok, &sine), ok, sine, nullptr};
}

TEST_F(FrameTest, LoansOfAServiceNotBornReportItAndLeaveTheCount) {
    for (const Service& s : kServices) {
        for (int born : {0, 1, 2, 4, 0xFF}) {  // 0xFF: every service, then death
            if (born != 0xFF && (born & (s.fcmd ? 4 : 2))) continue;
            SCOPED_TRACE(testing::Message() << s.phrase << " born " << born);
            Reset();
            ASSERT_EQ(Tal_Birth(Tal_ServiceFlags(born & 7), nullptr), 0);
            ASSERT_EQ(born == 0xFF ? Tal_Death() : 0, 0);
            Talp_G.*s.requests = 4;
            const Loan l = Prepare(s, true, false);
            EXPECT_TRUE(l.result == Tal_Err_UNREQUESTED_SERVICE && !l.ok && !l.table && !l.div);
            EXPECT_EQ(s.unprepare(), Tal_Err_UNREQUESTED_SERVICE);
            const std::string text =
                std::string("attempt to use unrequested math service (") + s.phrase + ").";
            EXPECT_EQ(TakeReports(),
                      (Reports{Msg(s.code, text), Msg(s.fcmd ? 0x110020 : s.code, text)}));
            EXPECT_EQ(Talp_G.*s.requests, 4);
        }
    }
}

TEST_F(FrameTest, TablesArePurgeableUnlessLentAndTheFirstBorrowerRebuildsThemExact) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    const auto held = [](const Service& s) {
        return TablesExact(s.fcmd, Bas_HandleBlock(s.fcmd ? Talp_G.mulHandle : Talp_G.sineHandle),
                           Bas_HandleBlock(Talp_G.divHandle));
    };
    const auto purged = [] {
        return !Bas_HandleBlock(Talp_G.mulHandle) && !Bas_HandleBlock(Talp_G.divHandle) &&
               !Bas_HandleBlock(Talp_G.sineHandle);
    };
    EXPECT_TRUE(held(kServices[0]) && held(kServices[1]));  // filled exactly at birth
    const float* sine = static_cast<const float*>(Bas_HandleBlock(Talp_G.sineHandle));
    EXPECT_TRUE(sine[0] == 0.0f && !std::signbit(sine[0]) && sine[255] == 1.0f);
    Bas_PurgeMemory();
    EXPECT_TRUE(purged());  // purgeable from birth
    for (const Service& s : kServices) {
        const Loan a = Prepare(s, true, false), b = Prepare(s, true, false);
        EXPECT_TRUE(a.result == 0 && b.result == 0 && a.ok == 1 && b.ok == 1);
        EXPECT_TRUE(a.table == b.table && a.div == b.div && TablesExact(s.fcmd, a.table, a.div));
    }
    for (int outstanding : {1, 0}) {
        for (const Service& s : kServices)
            EXPECT_EQ(s.unprepare(), 0);
        Bas_PurgeMemory();
        for (const Service& s : kServices) {
            EXPECT_EQ(Talp_G.*s.requests, outstanding);
            EXPECT_EQ(held(s), outstanding == 1) << s.phrase;
        }
    }
    EXPECT_TRUE(purged());
    EXPECT_TRUE(TakeReports().empty());
}

TEST_F(FrameTest, AFailedLoanCountsTheRequestAndLendsNothing) {
    // skip: allocations before one fails (-1: none); held: requests outstanding at the purge.
    // clang-format off
    const struct { bool reportFailure, noRebuild; int32_t skip, held; } cases[] = {
        {false, true, -1, 0}, {true, true, -1, 0}, {false, false, 0, 0}, {true, false, 0, 0},
        {false, false, 1, 0}, {true, false, 1, 0}, {true, false, -1, 1}};  // lent: not rechecked
    // clang-format on
    for (const Service& s : kServices) {
        for (const auto& c : cases) {
            if (!s.fcmd && c.skip == 1) continue;  // the sine table is one block
            SCOPED_TRACE(testing::Message() << s.phrase << " case " << (&c - cases));
            Reset();
            ASSERT_EQ(Tal_Birth(7, nullptr), 0);
            Talp_G.*s.requests = uint16_t(c.held);
            Bas_PurgeMemory();
            Bas_FailHandleAllocationsAfter(c.skip, c.skip >= 0);
            const Loan l = Prepare(s, c.reportFailure, c.noRebuild);
            const bool failed = c.held == 0, reported = failed && c.reportFailure;
            EXPECT_EQ(l.result, reported ? Tal_Err_OUT_OF_MEMORY : 0);
            EXPECT_TRUE(l.ok == !failed && !l.table && !l.div);
            EXPECT_EQ(Talp_G.*s.requests, c.held + 1);
            EXPECT_EQ(TakeReports(), reported ? Reports{Msg(s.code, s.unavailable)} : Reports{});
            // A failed rebuild leaves none of the service's blocks, and the service is gone.
            if (!failed || c.noRebuild) continue;
            EXPECT_EQ(Bas_LiveHandleCount(), s.fcmd ? 1 : 2);
            EXPECT_EQ(s.fcmd ? Talp_G.mulHandle | Talp_G.divHandle : Talp_G.sineHandle, 0u);
            EXPECT_EQ(Prepare(s, false, false).result, Tal_Err_UNREQUESTED_SERVICE);
        }
    }
}

TEST_F(FrameTest, CountsWrapAsSixteenBitsAndSurviveDeathAndBirth) {
    ASSERT_EQ(Tal_Birth(2 | 4, nullptr), 0);
    EXPECT_EQ(Tal_UnprepareFTrig(), 0);  // without a Prepare: a caller error the count shows
    EXPECT_EQ(Talp_G.trigRequests, 0xFFFF);
    EXPECT_EQ(Tal_PrepareFTrig(0, 0, nullptr, nullptr), 0);  // every output is optional
    EXPECT_EQ(Tal_PrepareFCMD(0, 0, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(Talp_G.trigRequests, 0);
    ASSERT_EQ(Tal_Death(), 0);
    ASSERT_EQ(Tal_Birth(2, nullptr), 0);
    EXPECT_EQ(Talp_G.trigRequests * 10 + Talp_G.fcmdRequests, 1);
}

}  // namespace

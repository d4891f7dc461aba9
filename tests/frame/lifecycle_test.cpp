// Birth and death, the globals hand-over, the version checks and the two table services.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <tuple>

#include "frame/base_library.h"
#include "frame/frame_internal.h"
#include "support/reports.h"

namespace {

using taltest::Msg;
using taltest::TakeReports;
using Reports = std::vector<taltest::Report>;
using Fields = std::vector<uint32_t>;

constexpr uint32_t kUnwritten = 0xDEADBEEF;
const char* const kGaussianText = "Gaussian table initialization.";

taltest::Report Niro(int32_t code, int32_t number, const char* text = "") {
    return {code, 8, number, text};
}
// Every field of the block, so that a mismatch prints the one that differs.
Fields FieldsOf(const Talp_Globals& g) {
    return {g.guard1,    g.bornServices, g.reserved1, g.mulHandle,    g.divHandle,
            g.reserved2, g.sineHandle,   g.guard2,    g.fcmdRequests, g.trigRequests};
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

// The failure hook every out-of-memory case relies on: skip allocations succeed, then n fail.
TEST(HostHooks, HandleAllocationsFailAfterTheSkippedOnesForTheCount) {
    const struct {
        int32_t skip, n;
        std::string outcomes;  // of five allocations in turn: + succeeded, - failed
    } cases[] = {{0, 0, "+++++"}, {0, 1, "-++++"}, {1, 1, "+-+++"}, {2, 2, "++--+"}};
    for (const auto& c : cases) {
        Bas_FailHandleAllocationsAfter(c.skip, c.n);
        std::string outcomes;
        for (int i = 0; i < 5; ++i) {
            const Bas_Handle h = Bas_AllocateHandleQuiet(8, 0);
            outcomes += h ? '+' : '-';
            Bas_FreeHandle(h);
        }
        EXPECT_EQ(outcomes, c.outcomes) << "skip " << c.skip << ", fail " << c.n;
    }
    Bas_FailHandleAllocationsAfter(0, 0);
}

// skip: allocations that succeed before one fails (-1: none); unknown service bits are ignored.
// Tables are kept only when birth succeeds: the sine table is one handle, FCM/D two.
TEST_F(FrameTest, BirthRecordsServicesUpToTheFirstFailureAndKeepsTablesOnlyWhenBorn) {
    const Tal_Err oom = Tal_Err_OUT_OF_MEMORY, gauss = Bas_NiroErr(5);
    const Reports gaussian{Niro(0x11001D, 5, kGaussianText)};
    const Reports trigOom{Msg(0x110019, "out of memory allocating FCM/D table (1024 bytes).")};
    const Reports fcmdOom{Msg(0x11001B, "out of memory allocating FCM/D table (65536 bytes).")};
    const struct {
        Tal_ServiceFlags requested;
        int32_t skip;
        Tal_Err result;
        uint32_t born;
        Reports reports;
    } cases[] = {{0, -1, 0, 0, {}},
                 {1, -1, 0, 1, {}},
                 {2, -1, 0, 2, {}},
                 {4, -1, 0, 4, {}},
                 {7, -1, 0, 7, {}},
                 {0xF1, -1, 0, 1, {}},
                 {1 | 8, -1, gauss, 1, gaussian},
                 {8, -1, gauss, 0, gaussian},
                 {15, -1, gauss, 7, gaussian},
                 {1 | 2, 0, oom, 1, trigOom},
                 {1 | 4, 0, oom, 1, fcmdOom},
                 {1 | 4, 1, oom, 1, fcmdOom},
                 {2 | 4, 2, oom, 2, fcmdOom},
                 {2 | 4, 0, oom, 0, trigOom}};
    for (const auto& c : cases) {
        Reset();
        Bas_FailHandleAllocationsAfter(c.skip, c.skip >= 0);
        uint32_t out = kUnwritten;
        const Tal_Err result = Tal_Birth(c.requested, &out);
        const uint32_t kept = c.result ? 0 : c.born, guard = c.result ? 0 : Tal_BornGuard;
        EXPECT_EQ(std::tuple(result, out, TakeReports(), Talp_G.bornServices, Talp_G.guard1,
                             Talp_G.guard2, Talp_G.sineHandle != 0, Talp_G.mulHandle != 0,
                             Talp_G.divHandle != 0, Bas_LiveHandleCount()),
                  std::tuple(c.result, c.born, c.reports, c.born, guard, guard, (kept & 2) != 0,
                             (kept & 4) != 0, (kept & 4) != 0, (kept & 2) / 2 + (kept & 4) / 2))
            << "services " << int(c.requested) << ", allocations failing after " << c.skip;
    }
}

Talp_Globals g_moved = BornBlock(0);  // the refused calls' outputs stay unwritten
uint32_t g_out = kUnwritten;
const Talp_Globals g_other = BornBlock(1);

TEST_F(FrameTest, RefusalsReportTheBaseLibraryNumberAndChangeNothing) {
    const struct {
        bool born;
        Tal_Err (*call)();
        taltest::Report report;
    } cases[] = {{true, [] { return Tal_Birth(2, &g_out); }, Niro(0x110014, 12)},
                 {true, [] { return Tal_SetGlobals(&g_other); }, Niro(0x110017, 12)},
                 {true, [] { return Tal_GetGlobals(nullptr); }, Niro(0x110016, 2)},
                 {false, [] { return Tal_Death(); }, Niro(0x110015, 11)},
                 {false, [] { return Tal_GetGlobals(&g_moved); }, Niro(0x110016, 11)},
                 {false, [] { return Tal_SetGlobals(nullptr); }, Niro(0x110017, 2)}};
    for (const auto& c : cases) {
        Reset();
        ASSERT_EQ(c.born ? Tal_Birth(1 | 4, nullptr) : 0, 0);
        const Fields before = FieldsOf(Talp_G);
        const Tal_Err err = c.call();
        EXPECT_EQ(std::tuple(err, TakeReports(), FieldsOf(Talp_G), Bas_LiveHandleCount(), g_out,
                             FieldsOf(g_moved)),
                  std::tuple(Bas_NiroErr(c.report.number), Reports{c.report}, before,
                             c.born ? 2 : 0, kUnwritten, FieldsOf(BornBlock(0))))
            << c.report;
    }
}

TEST_F(FrameTest, DeathFreesTheTablesKeepsServicesAndReportsAHandedOverGaussianService) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    const Tal_Err death = Tal_Death();
    EXPECT_EQ(std::tuple(death, TakeReports(), FieldsOf(Talp_G), Bas_LiveHandleCount()),
              std::tuple(0, Reports{}, Fields{0, 7, 0, 0, 0, 0, 0, 0, 0, 0}, 0));
    const Talp_Globals gaussian = BornBlock(1 | 8);
    ASSERT_EQ(Tal_SetGlobals(&gaussian), 0);
    const Tal_Err reported = Tal_Death();
    EXPECT_EQ(std::tuple(reported, TakeReports(), Talp_G.guard1 | Talp_G.guard2),
              std::tuple(Bas_NiroErr(5), Reports{Niro(0x11001E, 5, kGaussianText)}, 0u));
}

TEST_F(FrameTest, HandOverMovesExactlyTheBlockOutAndBack) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    Talp_G.fcmdRequests = 2;
    Talp_G.trigRequests = 0xFFFF;
    const Talp_Globals born = Talp_G;
    Talp_Globals left = born;  // what stays behind is no longer born
    left.guard1 = left.guard2 = 0;
    unsigned char moved[37];
    std::memset(moved, 0xA5, sizeof moved);
    EXPECT_EQ(Tal_GetGlobals(moved), 0);
    Talp_Globals out;
    std::memcpy(&out, moved, sizeof out);
    EXPECT_EQ(std::tuple(FieldsOf(out), int(moved[36]), FieldsOf(Talp_G)),
              std::tuple(FieldsOf(born), 0xA5, FieldsOf(left)));
    EXPECT_EQ(Tal_SetGlobals(moved), 0);
    EXPECT_EQ(std::tuple(FieldsOf(Talp_G), TakeReports()), std::tuple(FieldsOf(born), Reports{}));
}

TEST_F(FrameTest, SetGlobalsWithABrokenGuardCopiesTheBlockButStaysNotBorn) {
    const uint32_t guards[][2] = {
        {0, 0}, {0x27182819, Tal_BornGuard}, {Tal_BornGuard, 0x18281827}, {Tal_BornGuard, 0}};
    for (const auto& g : guards) {
        Reset();
        const Talp_Globals block = {g[0], 7, 0, 0, 0, 0, 0, g[1], 9, 0};
        const Tal_Err err = Tal_SetGlobals(&block);
        EXPECT_EQ(std::tuple(err, TakeReports(), FieldsOf(Talp_G)),
                  std::tuple(Bas_NiroErr(2), Reports{Niro(0x110017, 2)}, FieldsOf(block)));
        EXPECT_EQ(Tal_Birth(1, nullptr), 0) << "not born, so a birth is accepted";
    }
}

TEST(Versions, BaseLibrariesAreCheckedOnlyOnTheFirstCallWithThePackageCode) {
    for (const int failures : {3, 2, 1, 0}) {
        Talp_ResetVersionCheck();
        Basp_FailVersionChecks(failures & 1, failures & 2);
        const Basp_VersionCheckLog a = Basp_VersionChecks();
        const Tal_Err first = Tal_CheckVersions(0x230007, 18);
        const Tal_Err second = Tal_CheckVersions(0x230007, 18);
        const Basp_VersionCheckLog b = Basp_VersionChecks();
        EXPECT_EQ(std::tuple(first, second, b.basCalls - a.basCalls, b.lexCalls - a.lexCalls,
                             b.basCode, b.lexCode, b.basVersion, b.lexVersion, TakeReports()),
                  std::tuple(failures ? Tal_Err_VERSION_MISMATCH : 0, 0, 1, 1, 0x110001, 0x110001,
                             61, 3, Reports{}))
            << "failures " << failures;  // both are checked whatever the first gives
    }
}

TEST(Versions, AnotherMajorComposesTheMismatchMessageUnderTheCallersCode) {
    Talp_ResetVersionCheck();
    TakeReports();
    const int basCalls = Basp_VersionChecks().basCalls;
    for (int32_t major : {17, 19, 0, -1, INT32_MAX, INT32_MIN, 0x120004}) {
        Basp_G_err_buf[0] = -1;
        const std::string text =
            "Plug-in version mismatch detected (did you install over an older version of "
            "Sorvane?). Try uninstalling and re-installing. (Tal package v18 != Tal v" +
            std::to_string(major) + ")";
        const Tal_Err err = Tal_CheckVersions(0x230007, major);
        EXPECT_EQ(std::tuple(err, Basp_G_err_buf[0], TakeReports()),
                  std::tuple(Tal_Err_VERSION_MISMATCH, 0, Reports{Msg(0x230007, text, 16)}));
    }
    EXPECT_EQ(Basp_VersionChecks().basCalls - basCalls, 1) << "a first-call mismatch still checks";
    EXPECT_EQ(Tal_PkgObjectVersion(), 0x120004u);
}

// ---- Table services -----------------------------------------------------------------------------

// The first entry that differs from the defining formulas (true divisions in 64-bit integers), or
// -1; table is the multiply or sine table, div the divide table.
int FirstWrongEntry(bool fcmd, const void* table, const void* div) {
    if (!table || (fcmd && !div)) return 0;
    const auto* sine = static_cast<const float*>(table);
    for (int k = 0; !fcmd && k < Tal_SineTableSize; ++k)
        if (sine[k] != float(std::sin(k / 255.0 * (2.0 * std::atan(1.0))))) return k;
    const auto *mul = static_cast<const uint8_t*>(table), *quo = static_cast<const uint8_t*>(div);
    for (uint64_t n = 0; fcmd && n < 65536; ++n) {
        const uint64_t i = n >> 8, j = n & 255;
        if (mul[n] != (i * j + 127) / 255 || quo[n] != (j >= i ? 255 : (j * 255 + i / 2) / i))
            return int(n);
    }
    return -1;
}

struct Service {
    bool fcmd;
    int32_t code;
    const char *phrase, *unavailable;
    uint16_t Talp_Globals::*requests;
    Tal_Err (*unprepare)();
};
const Service kServices[] = {
    {true, 0x11001F, "fast char math", "fast character math will be unavailable.",
     &Talp_Globals::fcmdRequests, Tal_UnprepareFCMD},
    {false, 0x11002A, "fast trig", "fast trig will be unavailable.", &Talp_Globals::trigRequests,
     Tal_UnprepareFTrig}};

using Loan = std::tuple<Tal_Err, int, const void*, const void*>;  // result, ok, table, divide

Loan Prepare(const Service& s, bool reportFailure, bool noRebuild) {
    static const uint8_t kSentinel[4] = {};
    const uint8_t *mul = kSentinel, *div = kSentinel;
    const float* sine = reinterpret_cast<const float*>(kSentinel);
    uint8_t ok = 0xEE;
    if (s.fcmd) return {Tal_PrepareFCMD(reportFailure, noRebuild, &ok, &mul, &div), ok, mul, div};
    return {Tal_PrepareFTrig(reportFailure, noRebuild, &ok, &sine), ok, sine, nullptr};
}
int HeldTableError(const Service& s) {
    return FirstWrongEntry(s.fcmd, Bas_HandleBlock(s.fcmd ? Talp_G.mulHandle : Talp_G.sineHandle),
                           Bas_HandleBlock(Talp_G.divHandle));
}
auto HeldBlocks() {
    return std::tuple(Bas_HandleBlock(Talp_G.mulHandle) != nullptr,
                      Bas_HandleBlock(Talp_G.divHandle) != nullptr,
                      Bas_HandleBlock(Talp_G.sineHandle) != nullptr);
}

TEST_F(FrameTest, LoansOfAServiceNotBornReportItAndLeaveTheCount) {
    for (const Service& s : kServices) {
        for (int born : {0, 1, 2, 4, 0xFF}) {  // 0xFF: every service, then death
            if (born != 0xFF && (born & (s.fcmd ? 4 : 2))) continue;
            Reset();
            ASSERT_EQ(Tal_Birth(Tal_ServiceFlags(born & 7), nullptr), 0);
            ASSERT_EQ(born == 0xFF ? Tal_Death() : 0, 0);
            Talp_G.*s.requests = 4;
            const Loan loan = Prepare(s, true, false);
            const Tal_Err unprepared = s.unprepare();
            const std::string text =
                std::string("attempt to use unrequested math service (") + s.phrase + ").";
            const Reports reports{Msg(s.code, text), Msg(s.fcmd ? 0x110020 : s.code, text)};
            EXPECT_EQ(std::tuple(loan, unprepared, TakeReports(), int(Talp_G.*s.requests)),
                      std::tuple(Loan{Tal_Err_UNREQUESTED_SERVICE, 0, nullptr, nullptr},
                                 Tal_Err_UNREQUESTED_SERVICE, reports, 4))
                << s.phrase << ", born " << born;
        }
    }
}

TEST_F(FrameTest, TablesArePurgeableUnlessLentAndTheFirstBorrowerRebuildsThemExact) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    for (const Service& s : kServices)
        EXPECT_EQ(HeldTableError(s), -1) << s.phrase << " filled exactly at birth";
    const float* sine = static_cast<const float*>(Bas_HandleBlock(Talp_G.sineHandle));
    EXPECT_EQ(std::tuple(sine[0], std::signbit(sine[0]), sine[255]), std::tuple(0.0f, false, 1.0f));
    Bas_PurgeMemory();
    EXPECT_EQ(HeldBlocks(), std::tuple(false, false, false)) << "purgeable from birth";
    for (const Service& s : kServices) {
        const Loan a = Prepare(s, true, false), b = Prepare(s, true, false);
        EXPECT_EQ(b, a) << s.phrase << ": the second borrower gets the same tables";
        EXPECT_EQ(std::tuple(std::get<0>(a), std::get<1>(a),
                             FirstWrongEntry(s.fcmd, std::get<2>(a), std::get<3>(a))),
                  std::tuple(0, 1, -1))
            << s.phrase << " rebuilt";
    }
    for (int outstanding : {1, 0}) {
        for (const Service& s : kServices)
            EXPECT_EQ(s.unprepare(), 0);
        Bas_PurgeMemory();
        for (const Service& s : kServices)
            EXPECT_EQ(std::tuple(int(Talp_G.*s.requests), HeldTableError(s) == -1),
                      std::tuple(outstanding, outstanding == 1))
                << s.phrase;
    }
    EXPECT_EQ(std::tuple(HeldBlocks(), TakeReports()),
              std::tuple(std::tuple(false, false, false), Reports{}));
}

// skip: allocations before one fails (-1: none); held: requests outstanding at the purge. A failed
// rebuild leaves none of the service's blocks, and the service is gone.
TEST_F(FrameTest, AFailedLoanCountsTheRequestAndLendsNothing) {
    const struct {
        bool reportFailure, noRebuild;
        int32_t skip, held;
    } cases[] = {{false, true, -1, 0}, {true, true, -1, 0},  {false, false, 0, 0},
                 {true, false, 0, 0},  {false, false, 1, 0}, {true, false, 1, 0},
                 {true, false, -1, 1}};  // lent: not rechecked
    for (const Service& s : kServices) {
        for (const auto& c : cases) {
            if (!s.fcmd && c.skip == 1) continue;  // the sine table is one block
            Reset();
            ASSERT_EQ(Tal_Birth(7, nullptr), 0);
            Talp_G.*s.requests = uint16_t(c.held);
            Bas_PurgeMemory();
            Bas_FailHandleAllocationsAfter(c.skip, c.skip >= 0);
            const Loan loan = Prepare(s, c.reportFailure, c.noRebuild);
            const bool failed = c.held == 0, reported = failed && c.reportFailure;
            const std::string what = std::string(s.phrase) + " case " + std::to_string(&c - cases);
            EXPECT_EQ(
                std::tuple(loan, int(Talp_G.*s.requests), TakeReports()),
                std::tuple(Loan{reported ? Tal_Err_OUT_OF_MEMORY : 0, !failed, nullptr, nullptr},
                           c.held + 1, reported ? Reports{Msg(s.code, s.unavailable)} : Reports{}))
                << what;
            if (!failed || c.noRebuild) continue;
            const uint32_t blocks =
                s.fcmd ? Talp_G.mulHandle | Talp_G.divHandle : Talp_G.sineHandle;
            const Tal_Err again = std::get<0>(Prepare(s, false, false));
            EXPECT_EQ(std::tuple(Bas_LiveHandleCount(), blocks, again),
                      std::tuple(s.fcmd ? 1 : 2, 0u, Tal_Err_UNREQUESTED_SERVICE))
                << what;
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
    EXPECT_EQ(std::tuple(Talp_G.trigRequests, Talp_G.fcmdRequests), std::tuple(0, 1));
}

}  // namespace

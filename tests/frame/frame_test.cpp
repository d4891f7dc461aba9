// Birth and death, the globals hand-over, the version checks, the two table services, the reporter
// and the message table it formats from.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "frame/base_library.h"
#include "frame/frame_internal.h"
#include "support/reports.h"

namespace {

using taltest::Msg;
using taltest::Reports;
using taltest::TakeReports;
using Fields = std::vector<uint32_t>;

constexpr uint32_t kUnwritten = 0xDEADBEEF;
const char* const kGaussianText = "Gaussian table initialization.";

taltest::Report Niro(int32_t code, int32_t number, const char* text = "") {
    return {code, 8, number, text};
}
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

// skip: allocations before one fails (-1: none). Tables are kept only when birth succeeds.
TEST_F(FrameTest, BirthRecordsServicesUpToTheFirstFailureAndKeepsTablesOnlyWhenBorn) {
    const Tal_Err oom = Tal_Err_OUT_OF_MEMORY, gauss = Bas_NiroErr(5);
    const Reports none, gaussian{Niro(0x11001D, 5, kGaussianText)},
        trigOom{Msg(0x110019, "out of memory allocating FCM/D table (1024 bytes).")},
        fcmdOom{Msg(0x11001B, "out of memory allocating FCM/D table (65536 bytes).")};
    const std::tuple<Tal_ServiceFlags, int32_t, Tal_Err, uint32_t, Reports> cases[] = {
        {1, -1, 0, 1, none},
        {7, -1, 0, 7, none},
        {1 | 4, -1, 0, 5, none},
        {0xF1, -1, 0, 1, none},
        {1 | 8, -1, gauss, 1, gaussian},
        {8, -1, gauss, 0, gaussian},
        {15, -1, gauss, 7, gaussian},
        {1 | 2, 0, oom, 1, trigOom},
        {1 | 4, 1, oom, 1, fcmdOom},
        {2 | 4, 2, oom, 2, fcmdOom},
        {2 | 4, 0, oom, 0, trigOom}};
    for (const auto& [requested, skip, result, born, reports] : cases) {
        Reset();
        Bas_FailHandleAllocationsAfter(skip, skip >= 0);
        uint32_t out = kUnwritten;
        const Tal_Err got = Tal_Birth(requested, &out);
        const uint32_t kept = result ? 0 : born, guard = result ? 0 : Tal_BornGuard;
        EXPECT_EQ(std::tuple(got, out, TakeReports(), Talp_G.bornServices, Talp_G.guard1,
                             Talp_G.guard2, Talp_G.sineHandle != 0, Talp_G.mulHandle != 0,
                             Talp_G.divHandle != 0, Bas_LiveHandleCount()),
                  std::tuple(result, born, reports, born, guard, guard, (kept & 2) != 0,
                             (kept & 4) != 0, (kept & 4) != 0, (kept & 2) / 2 + (kept & 4) / 2))
            << "services " << int(requested) << ", allocations failing after " << skip;
        const uint8_t *mul = nullptr, *div = nullptr;
        uint8_t lent = 9;
        const Tal_Err lending = kept & 4 ? Tal_PrepareFCMD(0, 1, &lent, &mul, &div) : 0;
        EXPECT_EQ(std::tuple(lending, lent), std::tuple(0, kept & 4 ? 1 : 9))
            << "services " << int(requested) << ": the tables lend at once, whatever their handles";
    }
}

Talp_Globals g_moved = BornBlock(0);  // the refused calls' outputs stay unwritten
uint32_t g_out = kUnwritten;
const Talp_Globals g_other = BornBlock(1);

TEST_F(FrameTest, RefusalsReportTheBaseLibraryNumberAndChangeNothing) {
    const std::tuple<bool, Tal_Err (*)(), taltest::Report> cases[] = {
        {true, [] { return Tal_Birth(2, &g_out); }, Niro(0x110014, 12)},
        {true, [] { return Tal_SetGlobals(&g_other); }, Niro(0x110017, 12)},
        {true, [] { return Tal_GetGlobals(nullptr); }, Niro(0x110016, 2)},
        {false, [] { return Tal_Death(); }, Niro(0x110015, 11)},
        {false, [] { return Tal_GetGlobals(&g_moved); }, Niro(0x110016, 11)},
        {false, [] { return Tal_SetGlobals(nullptr); }, Niro(0x110017, 2)}};
    for (const auto& [born, call, report] : cases) {
        Reset();
        ASSERT_EQ(born ? Tal_Birth(1 | 4, nullptr) : 0, 0);
        const Fields before = FieldsOf(Talp_G);
        const Tal_Err err = call();
        EXPECT_EQ(std::tuple(err, TakeReports(), FieldsOf(Talp_G), Bas_LiveHandleCount(), g_out,
                             FieldsOf(g_moved)),
                  std::tuple(Bas_NiroErr(report.number), Reports{report}, before, born ? 2 : 0,
                             kUnwritten, FieldsOf(BornBlock(0))))
            << report;
    }
}

TEST_F(FrameTest, DeathFreesTheTablesKeepsServicesAndReportsAHandedOverGaussianService) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    const Tal_Err death = Tal_Death();
    EXPECT_EQ(std::tuple(death, TakeReports(), FieldsOf(Talp_G)),
              std::tuple(0, Reports{}, Fields{0, 7, 0, 0, 0, 0, 0, 0, 0, 0}));
    const Talp_Globals gaussian = BornBlock(1 | 8);
    ASSERT_EQ(Tal_SetGlobals(&gaussian), 0);
    const Tal_Err reported = Tal_Death();
    EXPECT_EQ(std::tuple(reported, TakeReports(), Talp_G.guard1 | Talp_G.guard2),
              std::tuple(Bas_NiroErr(5), Reports{Niro(0x11001E, 5, kGaussianText)}, 0u));
}

// What stays behind is no longer born.
TEST_F(FrameTest, HandOverMovesExactlyTheBlockOutAndBack) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    Talp_G.fcmdRequests = 2;
    Talp_G.trigRequests = 0xFFFF;
    const Talp_Globals born = Talp_G;
    Talp_Globals left = born, out;
    left.guard1 = left.guard2 = 0;
    unsigned char moved[37];
    std::memset(moved, 0xA5, sizeof moved);
    EXPECT_EQ(Tal_GetGlobals(moved), 0);
    std::memcpy(&out, moved, sizeof out);
    EXPECT_EQ(std::tuple(FieldsOf(out), int(moved[36]), FieldsOf(Talp_G)),
              std::tuple(FieldsOf(born), 0xA5, FieldsOf(left)));
    EXPECT_EQ(Tal_SetGlobals(moved), 0);
    EXPECT_EQ(std::tuple(FieldsOf(Talp_G), TakeReports()), std::tuple(FieldsOf(born), Reports{}));
}

// Both base libraries are checked, once; another major composes a message at the caller's code.
TEST(Versions, BaseLibrariesAreCheckedOnlyOnTheFirstCallWithThePackageCode) {
    for (const int failures : {3, 2, 1, 0}) {
        Talp_ResetVersionCheck();
        Basp_FailVersionChecks(failures & 1, failures & 2);
        const Basp_VersionCheckLog a = Basp_VersionChecks();
        const Tal_Err first = Tal_CheckVersions(0x230007, 18);
        const Tal_Err second = Tal_CheckVersions(0x230007, 18);
        const Basp_VersionCheckLog b = Basp_VersionChecks();
        EXPECT_EQ(std::tuple(first, second, b.basCalls - a.basCalls, b.lexCalls - a.lexCalls,
                             b.basCode, b.lexCode, TakeReports()),
                  std::tuple(failures ? Tal_Err_VERSION_MISMATCH : 0, 0, 1, 1, 0x110001, 0x110001,
                             Reports{}))
            << "failures " << failures;
    }
    Talp_ResetVersionCheck();
    const int basCalls = Basp_VersionChecks().basCalls;
    for (int32_t major : {17, 0, INT32_MIN, 0x120004}) {
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

// The first entry that differs from the exact formulas, or -1; div is the divide table.
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
TEST_F(FrameTest, TablesArePurgeableUnlessLentAndTheFirstBorrowerRebuildsThemExact) {
    ASSERT_EQ(Tal_Birth(7, nullptr), 0);
    const float* sine = static_cast<const float*>(Bas_HandleBlock(Talp_G.sineHandle));
    EXPECT_EQ(std::tuple(sine[0], std::signbit(sine[0]), sine[255]), std::tuple(0.0f, false, 1.0f));
    for (const Service& s : kServices)
        EXPECT_EQ(HeldTableError(s), -1) << s.phrase << " filled exactly at birth";
    Bas_PurgeMemory();
    for (const Service& s : kServices) {
        EXPECT_EQ(HeldTableError(s), 0) << s.phrase << " purgeable from birth";
        const Loan a = Prepare(s, true, false), b = Prepare(s, true, false);
        EXPECT_EQ(std::tuple(std::get<0>(a), std::get<1>(a),
                             FirstWrongEntry(s.fcmd, std::get<2>(a), std::get<3>(a)), b),
                  std::tuple(0, 1, -1, a))
            << s.phrase << " rebuilt, the second borrower given the same";
    }
    for (int outstanding : {1, 0}) {
        for (const Service& s : kServices)
            EXPECT_EQ(s.unprepare(), 0);
        Bas_PurgeMemory();
        for (const Service& s : kServices)
            EXPECT_EQ(std::tuple(int(Talp_G.*s.requests), HeldTableError(s)),
                      std::tuple(outstanding, -outstanding))
                << s.phrase;
    }
    EXPECT_EQ(TakeReports(), Reports{});
}

// A failed rebuild leaves no blocks and no service, which further loans report.
TEST_F(FrameTest, AFailedLoanCountsTheRequestAndLendsNothing) {
    const std::tuple<bool, bool, int32_t, int32_t> cases[] = {{true, true, -1, 0},
                                                              {false, false, 0, 0},
                                                              {true, false, 0, 0},
                                                              {true, false, 1, 0},
                                                              {true, false, -1, 1}};
    for (const Service& s : kServices) {
        for (const auto& [reportFailure, noRebuild, skip, held] : cases) {
            if (!s.fcmd && skip == 1) continue;  // the sine table is one block
            Reset();
            ASSERT_EQ(Tal_Birth(7, nullptr), 0);
            Talp_G.*s.requests = uint16_t(held);
            Bas_PurgeMemory();
            Bas_FailHandleAllocationsAfter(skip, skip >= 0);
            const Loan loan = Prepare(s, reportFailure, noRebuild);
            const bool failed = held == 0, reported = failed && reportFailure;
            SCOPED_TRACE(::testing::Message()
                         << s.phrase << " report " << reportFailure << " no rebuild " << noRebuild
                         << " skip " << skip << " held " << held);
            EXPECT_EQ(
                std::tuple(loan, int(Talp_G.*s.requests), TakeReports()),
                std::tuple(Loan{reported ? Tal_Err_OUT_OF_MEMORY : 0, !failed, nullptr, nullptr},
                           held + 1, reported ? Reports{Msg(s.code, s.unavailable)} : Reports{}));
            if (!failed || noRebuild) continue;
            const uint32_t blocks =
                s.fcmd ? Talp_G.mulHandle | Talp_G.divHandle : Talp_G.sineHandle;
            const Loan again = Prepare(s, true, false);
            const Tal_Err unprepared = s.unprepare();
            const std::string text =
                std::string("attempt to use unrequested math service (") + s.phrase + ").";
            const Reports reports{Msg(s.code, text), Msg(s.fcmd ? 0x110020 : s.code, text)};
            EXPECT_EQ(std::tuple(Bas_LiveHandleCount(), blocks, again, unprepared, TakeReports(),
                                 int(Talp_G.*s.requests)),
                      std::tuple(s.fcmd ? 1 : 2, 0u,
                                 Loan{Tal_Err_UNREQUESTED_SERVICE, 0, nullptr, nullptr},
                                 Tal_Err_UNREQUESTED_SERVICE, reports, 1));
        }
    }
}

TEST(ReportErr, FormatsEachCodesMessageUnderTheSiteAndReturnsTheCode) {
    const std::tuple<uint16_t, int32_t, int16_t, int32_t, const char*> cases[] = {
        // site, error, phrase, severity, text
        {0x10, 0, 11, 0, nullptr},  // success: no lookup, no report, err_buf untouched
        {0x10, Tal_Err_OVERFLOW, 11, 8, "overflow in ratio addition."},
        {0x10, Tal_Err_UNDERFLOW, 12, 4, "underflow in ratio subtraction."},
        {0x09, Tal_Err_DIV_BY_ZERO, 22, 8, "divide by zero in fix24 divide."},
        {0x1F, Tal_Err_UNREQUESTED_SERVICE, 18, 8,
         "attempt to use unrequested math service (fast char math)."},
        {0x12, Tal_Err_ZERO_DENOM, 14, 8, "zero denominator converting ratio denominators."},
        {0x23, Tal_Err_CANT_INVERT, 999, 8, "unable to invert matrix."},  // phrase ignored
        {0x2D, Tal_Err_CANT_DECOMPOSE, -1, 8, "unable to decompose matrix."},
        {0x01, Tal_Err_CANT_CALC_NORMAL, 0, 8, "unable to calculate normal vector."},
        {0x01, Tal_Err_VERSION_MISMATCH, 0, 8, "unknown error (7)."},  // reported elsewhere
        {0x20, Tal_Err_ZERO_VECTOR, 38, 8, "unknown error (4363)."},   // just above plain codes
        {0x1101, 0x1101, 0, 8, "unknown error (4353)."},  // just below the phrase codes
        {0xFFFF, -7, 0, 8, "unknown error (-7)."},        // site not sign-extended
        {0x08, Tal_Err_OVERFLOW, 42, 8, "overflow ."},    // a phrase outside the table is empty
        {0x08, Tal_Err_UNDERFLOW, -1, 4, "underflow ."}};
    TakeReports();
    for (const auto& [site, err, phrase, severity, text] : cases) {
        Basp_G_err_buf[0] = 0x5A5A;
        const int32_t returned = Talp_ReportErr(site, err, phrase);
        const Reports expected = text ? Reports{Msg(0x110000 + site, text, severity)} : Reports{};
        EXPECT_EQ(std::tuple(returned, Basp_G_err_buf[0], TakeReports()),
                  std::tuple(err, text ? 0 : 0x5A5A, expected))
            << "site " << site << ", error " << err << ", phrase " << phrase;
    }
}

// FNV-1a of each text, so that a changed text names itself.
uint32_t TextHash(const char* text) {
    uint32_t h = 0x811C9DC5u;
    for (; *text; ++text)
        h = (h ^ uint8_t(*text)) * 0x01000193u;
    return h;
}

TEST(MessageTable, DescriptorKeysAndTextsAreExact) {
    const uint32_t kTextHashes[Tal_MessageCount] = {
        0x0114B525, 0xB00427B3, 0xEE514DA9, 0xEBA9D30F, 0x1F08C4D1, 0x31CCEF48, 0x7864E2CA,
        0x8AA4ACFD, 0x4F80B629, 0x6D156734, 0x5D3E29FD, 0x37166C67, 0xB37FB81B, 0x8B856CA3,
        0xCBB39A14, 0x1F56F9B5, 0x211AA44B, 0xE0DCEB1F, 0xA1095D01, 0x507A1964, 0xD00E47B5,
        0x57391AC9, 0xDB880D1C, 0x95E26095, 0xD7A3DD90, 0x72C33C9F, 0xCE57A5BD, 0xA39E0E3C,
        0x7A70C1CC, 0x371BD032, 0x025C8D7B, 0xEEE04863, 0xFAD439DA, 0x91BAB178, 0xA6E3F587,
        0xA58DE5CA, 0xC39B5909, 0xDBC39586, 0x8170BED0, 0xB3DFD94A, 0xE26D35DC, 0x8180A51E};
    const Tal_LStrEntry& end = Tal_G_zref->records[Tal_MessageCount];
    EXPECT_EQ(std::tuple(std::string(Tal_G_zref->name), Tal_G_zref->count, Tal_G_zref->reserved,
                         end.key, end.reserved[0], end.reserved[1], end.reserved[2]),
              std::tuple("Tal", 43, 0u, nullptr, ~0u, ~0u, 0u));
    for (int i = 0; i < Tal_MessageCount; ++i) {
        const Tal_LStrEntry& e = Tal_G_zref->records[i];
        char key[32];
        std::snprintf(key, sizeof key, "$$$/SV/Tal/LStr/%04d=", i);
        ASSERT_EQ(std::strncmp(e.key, key, std::strlen(key)), 0) << e.key;
        const char* text = Bas_ZLookupLStrCache(Tal_G_zref, i, 0, 0);
        EXPECT_EQ(std::tuple(text, e.reserved[0] | e.reserved[1] | e.reserved[2], TextHash(text)),
                  std::tuple(e.key + std::strlen(key), 0u, kTextHashes[i]))
            << "message " << i << ": \"" << text << "\"";
    }
    for (int32_t outside : {42, -1, INT32_MAX})
        EXPECT_STREQ(Bas_ZLookupLStrCache(Tal_G_zref, outside, 0, 0), "") << outside;
}

}  // namespace

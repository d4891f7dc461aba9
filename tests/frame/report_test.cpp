// The reporter: every code's message, severity and report code.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "frame/base_library.h"

#include "support/reports.h"
#include "tal/frame.h"

namespace {

using taltest::Msg;
using taltest::TakeReports;

struct ReportCase {
    uint16_t site;
    Tal_Err err;
    int16_t phrase;
    taltest::Report expected;
};

class ReportErr : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportErr, FormatsTheCodesMessageAndReturnsTheCode) {
    const ReportCase& c = GetParam();
    TakeReports();
    EXPECT_EQ(Talp_ReportErr(c.site, c.err, c.phrase), c.err);
    EXPECT_EQ(TakeReports(), std::vector<taltest::Report>{c.expected});
}

INSTANTIATE_TEST_SUITE_P(
    EveryCode, ReportErr,
    ::testing::Values(
        ReportCase{0x10, Tal_Err_OVERFLOW, 11, Msg(0x110010, "overflow in ratio addition.")},
        ReportCase{0x10, Tal_Err_UNDERFLOW, 12,
                   Msg(0x110010, "underflow in ratio subtraction.", 4)},
        ReportCase{0x09, Tal_Err_DIV_BY_ZERO, 22, Msg(0x110009, "divide by zero in fix24 divide.")},
        ReportCase{0x1F, Tal_Err_UNREQUESTED_SERVICE, 18,
                   Msg(0x11001F, "attempt to use unrequested math service (fast char math).")},
        ReportCase{0x12, Tal_Err_ZERO_DENOM, 14,
                   Msg(0x110012, "zero denominator converting ratio denominators.")},
        ReportCase{0x23, Tal_Err_CANT_INVERT, 999, Msg(0x110023, "unable to invert matrix.")},
        ReportCase{0x2D, Tal_Err_CANT_DECOMPOSE, -1, Msg(0x11002D, "unable to decompose matrix.")},
        ReportCase{0x01, Tal_Err_CANT_CALC_NORMAL, 0,
                   Msg(0x110001, "unable to calculate normal vector.")},
        ReportCase{0x2F, Tal_Err_CANT_INTERSECT_PLANE, 0,
                   Msg(0x11002F, "unable to intersect plane.")},
        ReportCase{0x20, 5, 18, Msg(0x110020, "unknown error (5).")},
        ReportCase{0x20, Tal_Err_ZERO_VECTOR, 0, Msg(0x110020, "unknown error (4363).")},
        ReportCase{0xFFFF, -7, 0, Msg(0x11FFFF, "unknown error (-7).")},
        // Codes returned after a direct report fall to the generic message when passed here.
        ReportCase{0x2E, Tal_Err_BAD_AXIS, 35, Msg(0x11002E, "unknown error (3).")},
        ReportCase{0x19, Tal_Err_OUT_OF_MEMORY, 6, Msg(0x110019, "unknown error (4).")},
        ReportCase{0x01, Tal_Err_VERSION_MISMATCH, 0, Msg(0x110001, "unknown error (7).")},
        ReportCase{0x39, Tal_Err_ZERO_W, 40, Msg(0x110039, "unknown error (4364).")},
        ReportCase{0x8000, INT32_MIN, 0, Msg(0x118000, "unknown error (-2147483648).")},
        ReportCase{0x26, Tal_Err_OVERFLOW, 26, Msg(0x110026, "overflow in point transformation.")},
        ReportCase{0x11, Tal_Err_OVERFLOW, 29, Msg(0x110011, "overflow in ratio divide.")},
        ReportCase{0x2A, Tal_Err_UNREQUESTED_SERVICE, 31,
                   Msg(0x11002A, "attempt to use unrequested math service (fast trig).")},
        // A phrase outside the table reads as empty rather than as stray memory.
        ReportCase{0x08, Tal_Err_OVERFLOW, 42, Msg(0x110008, "overflow .")},
        ReportCase{0x08, Tal_Err_UNDERFLOW, -1, Msg(0x110008, "underflow .", 4)}));

TEST(ReportErrBuffer, ClearsTheFirstErrorWordBeforeComposing) {
    TakeReports();
    Basp_G_err_buf[0] = 0x5A5A;
    Talp_ReportErr(0x10, Tal_Err_OVERFLOW, 11);
    EXPECT_EQ(Basp_G_err_buf[0], 0);
    TakeReports();
}

struct SinkLog {
    std::vector<taltest::Report> reports;
};

TEST(ReportSink, AHostSinkReceivesReportsInsteadOfTheRecorder) {
    TakeReports();
    SinkLog log;
    Bas_SetReportSink(
        [](int32_t code, int32_t severity, int32_t number, const char* text, void* context) {
            static_cast<SinkLog*>(context)->reports.push_back({code, severity, number, text});
        },
        &log);
    Talp_ReportErr(0x23, Tal_Err_CANT_INVERT, 0);
    Bas_SetReportSink(nullptr, nullptr);
    EXPECT_EQ(log.reports, std::vector<taltest::Report>{Msg(0x110023, "unable to invert matrix.")});
    EXPECT_TRUE(TakeReports().empty());
}

// ---- The message table ------------------------------------------------------------------------

TEST(MessageTable, DescriptorNamesThePackageAndCountsTheTerminator) {
    ASSERT_NE(Tal_G_zref, nullptr);
    EXPECT_STREQ(Tal_G_zref->name, "Tal");
    EXPECT_EQ(Tal_G_zref->count, 43u);
    EXPECT_EQ(Tal_G_zref->reserved, 0u);
    const Tal_LStrEntry& end = Tal_G_zref->records[Tal_MessageCount];
    EXPECT_EQ(end.key, nullptr);
    EXPECT_EQ(end.reserved[0], 0xFFFFFFFFu);
    EXPECT_EQ(end.reserved[1], 0xFFFFFFFFu);
    EXPECT_EQ(end.reserved[2], 0u);
}

TEST(MessageTable, EveryKeyIsNumberedByItsIndexAndLookupGivesTheDefaultText) {
    for (int i = 0; i < Tal_MessageCount; ++i) {
        const Tal_LStrEntry& e = Tal_G_zref->records[i];
        char prefix[32];
        std::snprintf(prefix, sizeof prefix, "$$$/SV/Tal/LStr/%04d=", i);
        ASSERT_NE(e.key, nullptr);
        EXPECT_EQ(std::string(e.key).rfind(prefix, 0), 0u) << e.key;
        EXPECT_STREQ(Bas_ZLookupLStrCache(Tal_G_zref, i, 0, 0), e.key + std::strlen(prefix));
        EXPECT_EQ(e.reserved[0] | e.reserved[1] | e.reserved[2], 0u);
    }
}

struct TextCase {
    int32_t index;
    const char* text;
};

TEST(MessageTable, TextsTheFrameUsesAndOutOfRangeIndices) {
    const TextCase cases[] = {{0, "unknown error (%ld)."},
                              {5, "Gaussian table initialization."},
                              {6, "FCM/D table"},
                              {8, "fast character math will be unavailable."},
                              {18, "fast char math"},
                              {31, "fast trig"},
                              {32, "fast trig will be unavailable."},
                              {41, "attempt to normalize a homegeneous point"},
                              {42, ""},
                              {-1, ""},
                              {INT32_MAX, ""}};
    for (const TextCase& c : cases)
        EXPECT_STREQ(Bas_ZLookupLStrCache(Tal_G_zref, c.index, 0, 0), c.text) << c.index;
}

TEST(ReportErrZero, ReportsNothing) {
    TakeReports();
    EXPECT_EQ(Talp_ReportErr(0x10, 0, 11), 0);
    EXPECT_TRUE(TakeReports().empty());
}

}  // namespace

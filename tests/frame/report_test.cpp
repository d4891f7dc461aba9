// The reporter: every code's message, severity and report code.
#include <gtest/gtest.h>

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
        ReportCase{0xFFFF, -7, 0, Msg(0x11FFFF, "unknown error (-7).")}));

TEST(ReportErrZero, ReportsNothing) {
    TakeReports();
    EXPECT_EQ(Talp_ReportErr(0x10, 0, 11), 0);
    EXPECT_TRUE(TakeReports().empty());
}

}  // namespace

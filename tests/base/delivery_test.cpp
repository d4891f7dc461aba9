// Where reports go: a sink that calls back into the library (the nested report goes to the
// recorder, not into the sink again, and the text the sink holds survives the nested composition),
// and the recorder at its capacity.
#include <gtest/gtest.h>

#include <vector>

#include "support/reports.h"
#include "tal/fixed.h"

namespace {

using Reports = std::vector<taltest::Report>;

TEST(ReportSink, AReportMadeInsideTheSinkIsRecordedInsteadOfReenteringTheSink) {
    taltest::ClearReports();
    Reports seen;
    Bas_SetReportSink(
        [](int32_t code, int32_t severity, int32_t number, const char* text, void* context) {
            // Composes "divide by zero ..." on this very thread before text is read.
            const bool nestedFailed = Tal_Fix24Ratio(1, 0) == Tal_FixedFailure;
            static_cast<Reports*>(context)->push_back(
                {code, severity, number, nestedFailed ? text : "the nested call did not fail"});
            if (number == 1) Bas_SetReportSink(nullptr, nullptr);  // no deadlock from inside
        },
        &seen);
    EXPECT_EQ(Tal_Fix24Mul(0x7f000000, 0x7f000000), Tal_FixedFailure);
    Basp_ReportNiroErrString(0x110030, 8, 1, "last");
    Basp_ReportNiroErrString(0x110030, 8, 2, "after the sink");

    const taltest::Report nested = taltest::Msg(0x110009, "divide by zero in fix24 divide.");
    EXPECT_EQ(seen, (Reports{taltest::Msg(0x110008, "overflow in fix24 multiply."),
                             {0x110030, 8, 1, "last"}}));
    EXPECT_EQ(taltest::TakeReports(),
              (Reports{nested, nested, {0x110030, 8, 2, "after the sink"}}));
}

TEST(Recorder, KeepsItsCapacityWholeAndThenDropsTheOldest) {
    taltest::ClearReports();
    for (int32_t number = 1; number <= Bas_RecorderCapacity; ++number)
        Basp_ReportNiroErrString(0x110030, 8, number, "");
    EXPECT_EQ(Bas_RecordedReportCount(), Bas_RecorderCapacity);
    EXPECT_EQ(Bas_DroppedReportCount(), 0);
    Basp_ReportNiroErrString(0x110030, 8, Bas_RecorderCapacity + 1, "");
    int32_t oldest = 0;
    EXPECT_EQ(Bas_TakeRecordedReport(nullptr, nullptr, &oldest, nullptr, 0), 1);
    EXPECT_EQ(oldest, 2) << "number of the oldest report kept";
    EXPECT_EQ(std::pair(Bas_RecordedReportCount(), Bas_DroppedReportCount()),
              std::pair(Bas_RecorderCapacity - 1, 1));
    taltest::ClearReports();
    EXPECT_EQ(std::pair(Bas_RecordedReportCount(), Bas_DroppedReportCount()), std::pair(0, 0));
}

}  // namespace

// Where reports go: a sink that calls back into the library (the nested report goes to the
// recorder, not into the sink again, and the text the sink holds survives the nested composition),
// the recorder at its capacity, and a host's own message table (a format whose conversions match
// the built-in text's is used, any other falls back to the built-in text rather than reach
// snprintf with the wrong arguments).
#include <gtest/gtest.h>

#include <string>
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

TEST(ReplacedMessageTable, FormatsWithOtherConversionsFallBackToTheBuiltInText) {
    struct Row {
        int index;
        const char* text;
        Tal_Err err;
        int16_t phrase;
        const char* expected;
    };
    const Row cases[] = {
        {2, "overflow (%s)!", Tal_Err_OVERFLOW, 21, "overflow (in fix24 multiply)!"},
        {7, "100%% busy: %s", Tal_Err_UNREQUESTED_SERVICE, 18, "100% busy: fast char math"},
        {0, "error %ld", 5, 0, "error 5"},
        {0, "error %s", 5, 0, "unknown error (5)."},    // would read a long as a pointer
        {0, "error %5ld", 5, 0, "unknown error (5)."},  // any other spelling is refused too
        {3, "divide %d by %s", Tal_Err_DIV_BY_ZERO, 22, "divide by zero in fix24 divide."},
        {10, "zero %s%n", Tal_Err_ZERO_DENOM, 11, "zero denominator in ratio addition."},
        {2, "overflow %ls.", Tal_Err_OVERFLOW, 21, "overflow in fix24 multiply."},
        {1, "underflow %s %", Tal_Err_UNDERFLOW, 12, "underflow in ratio subtraction."},
        {2, "overflow.", Tal_Err_OVERFLOW, 21, "overflow in fix24 multiply."}};  // drops the %s
    const Tal_LStrTable* const builtIn = Tal_G_zref;
    taltest::ClearReports();
    for (const auto& c : cases) {
        std::vector<std::string> keys;  // the built-in keys, entry c.index's after "=" replaced
        std::vector<Tal_LStrEntry> records(builtIn->records, builtIn->records + builtIn->count);
        for (int i = 0; i < Tal_MessageCount; ++i) {
            const std::string key = records[i].key;
            keys.push_back(i != c.index ? key : key.substr(0, key.find('=') + 1) + c.text);
        }
        for (int i = 0; i < Tal_MessageCount; ++i)
            records[i].key = keys[i].c_str();
        const Tal_LStrTable replaced{builtIn->name, builtIn->count, records.data(), 0};
        Tal_G_zref = &replaced;
        EXPECT_EQ(Talp_ReportErr(0x30, c.err, c.phrase), c.err);
        Tal_G_zref = builtIn;
        const int32_t severity = c.err == Tal_Err_UNDERFLOW ? 4 : 8;
        EXPECT_EQ(taltest::TakeReports(),
                  std::vector<taltest::Report>{taltest::Msg(0x110030, c.expected, severity)})
            << "entry " << c.index << " replaced by \"" << c.text << "\"";
    }
}

}  // namespace

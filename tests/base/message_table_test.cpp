// A host's own message table: a format whose conversions match the built-in text's is used, any
// other falls back to the built-in text rather than reach snprintf with the wrong arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/reports.h"

namespace {

TEST(ReplacedMessageTable, FormatsWithOtherConversionsFallBackToTheBuiltInText) {
    // clang-format off
    const struct { int index; const char* text; Tal_Err err; int16_t phrase; const char* expected; }
    cases[] = {
        {2, "overflow (%s)!", Tal_Err_OVERFLOW, 21, "overflow (in fix24 multiply)!"},
        {7, "100%% busy: %s", Tal_Err_UNREQUESTED_SERVICE, 18, "100% busy: fast char math"},
        {0, "error %ld", 5, 0, "error 5"},
        {0, "error %s", 5, 0, "unknown error (5)."},    // would read a long as a pointer
        {0, "error %5ld", 5, 0, "unknown error (5)."},  // any other spelling is refused too
        {3, "divide %d by %s", Tal_Err_DIV_BY_ZERO, 22, "divide by zero in fix24 divide."},
        {10, "zero %s%n", Tal_Err_ZERO_DENOM, 11, "zero denominator in ratio addition."},
        {2, "overflow %ls.", Tal_Err_OVERFLOW, 21, "overflow in fix24 multiply."},
        {1, "underflow %s %", Tal_Err_UNDERFLOW, 12, "underflow in ratio subtraction."},
        {2, "overflow.", Tal_Err_OVERFLOW, 21, "overflow in fix24 multiply."},  // drops the %s
    };
    // clang-format on
    const Tal_LStrTable* const builtIn = Tal_G_zref;
    taltest::ClearReports();
    for (const auto& c : cases) {
        std::vector<std::string>
            keys;  // the built-in keys, entry c.index's text after "=" replaced
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

// The reporter and the message table it formats from.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "frame/base_library.h"
#include "support/reports.h"

namespace {

using taltest::Msg;
using Reports = std::vector<taltest::Report>;
using taltest::TakeReports;

TEST(ReportErr, FormatsEachCodesMessageUnderTheSiteAndReturnsTheCode) {
    // clang-format off
    const struct { uint16_t site; int32_t err, phrase, severity; const char* text; } cases[] = {
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
        {0x2F, Tal_Err_CANT_INTERSECT_PLANE, 0, 8, "unable to intersect plane."},
        {0x20, 5, 18, 8, "unknown error (5)."},
        {0x01, Tal_Err_VERSION_MISMATCH, 0, 8,
         "unknown error (7)."},                                       // reported directly elsewhere
        {0x20, Tal_Err_ZERO_VECTOR, 38, 8, "unknown error (4363)."},  // just above the plain range
        {0x1101, 0x1101, 0, 8, "unknown error (4353)."},              // just below the phrase range
        {0xFFFF, -7, 0, 8, "unknown error (-7)."},                    // site not sign-extended
        {0x8000, INT32_MIN, 0, 8, "unknown error (-2147483648)."},
        // A phrase outside the table reads as empty rather than as stray memory.
        {0x08, Tal_Err_OVERFLOW, 42, 8, "overflow ."},
        {0x08, Tal_Err_UNDERFLOW, -1, 4, "underflow ."}};
    // clang-format on
    TakeReports();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.err);
        Basp_G_err_buf[0] = 0x5A5A;
        EXPECT_EQ(Talp_ReportErr(c.site, c.err, int16_t(c.phrase)), c.err);
        EXPECT_EQ(Basp_G_err_buf[0], c.text ? 0 : 0x5A5A);
        EXPECT_EQ(TakeReports(),
                  c.text ? Reports{Msg(0x110000 + c.site, c.text, c.severity)} : Reports{});
    }
}

TEST(ReportErr, AHostSinkReceivesReportsInsteadOfTheRecorder) {
    TakeReports();
    Reports log;
    Bas_SetReportSink(
        [](int32_t code, int32_t severity, int32_t number, const char* text, void* context) {
            static_cast<Reports*>(context)->push_back({code, severity, number, text});
        },
        &log);
    Talp_ReportErr(0x23, Tal_Err_CANT_INVERT, 0);
    Bas_SetReportSink(nullptr, nullptr);
    EXPECT_EQ(log, Reports{Msg(0x110023, "unable to invert matrix.")});
    EXPECT_TRUE(TakeReports().empty());
}

TEST(MessageTable, DescriptorKeysAndTextsAreExact) {
    EXPECT_STREQ(Tal_G_zref->name, "Tal");
    EXPECT_TRUE(Tal_G_zref->count == 43 && Tal_G_zref->reserved == 0);
    const Tal_LStrEntry& end = Tal_G_zref->records[Tal_MessageCount];
    EXPECT_TRUE(!end.key && end.reserved[0] == ~0u && end.reserved[1] == ~0u && !end.reserved[2]);
    uint64_t hash = 0xcbf29ce484222325u;  // FNV-1a over every text, each with its NUL
    for (int i = 0; i < Tal_MessageCount; ++i) {
        const Tal_LStrEntry& e = Tal_G_zref->records[i];
        char key[32];
        std::snprintf(key, sizeof key, "$$$/SV/Tal/LStr/%04d=", i);
        ASSERT_EQ(std::strncmp(e.key, key, std::strlen(key)), 0) << e.key;
        const char* text = Bas_ZLookupLStrCache(Tal_G_zref, i, 0, 0);
        EXPECT_EQ(text, e.key + std::strlen(key));
        EXPECT_EQ(e.reserved[0] | e.reserved[1] | e.reserved[2], 0u);
        for (size_t n = 0; n <= std::strlen(text); ++n)
            hash = (hash ^ uint8_t(text[n])) * 0x100000001b3u;
    }
    EXPECT_EQ(hash, 0x582ef49e5f35f5f5u);
    for (int32_t outside : {42, -1, INT32_MAX})
        EXPECT_STREQ(Bas_ZLookupLStrCache(Tal_G_zref, outside, 0, 0), "");
}

}  // namespace

// The reporter and the message table it formats from.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <tuple>

#include "frame/base_library.h"
#include "support/reports.h"

namespace {

using taltest::Msg;
using Reports = std::vector<taltest::Report>;
using taltest::TakeReports;

TEST(ReportErr, FormatsEachCodesMessageUnderTheSiteAndReturnsTheCode) {
    const struct {
        uint16_t site;
        int32_t err, phrase, severity;
        const char* text;
    } cases[] = {
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
    TakeReports();
    for (const auto& c : cases) {
        Basp_G_err_buf[0] = 0x5A5A;
        const int32_t returned = Talp_ReportErr(c.site, c.err, int16_t(c.phrase));
        EXPECT_EQ(
            std::tuple(returned, Basp_G_err_buf[0], TakeReports()),
            std::tuple(c.err, c.text ? 0 : 0x5A5A,
                       c.text ? Reports{Msg(0x110000 + c.site, c.text, c.severity)} : Reports{}))
            << "site " << c.site << ", error " << c.err << ", phrase " << c.phrase;
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
    EXPECT_EQ(TakeReports(), Reports{});
}

// An exception escaping a member becomes a report at the package code and an error code.
TEST(ReportErr, ExceptionsReportTheirTextAndGiveOutOfMemoryOrBaseLibraryNumberOne) {
    const std::bad_alloc noMemory;
    const std::length_error tooLong("vector");
    const std::runtime_error other("broken");
    const struct {
        const std::exception* e;
        long err;
        std::string text;
    } cases[] = {
        {&noMemory, Tal_Err_OUT_OF_MEMORY, std::string("out of memory: ") + noMemory.what()},
        {&tooLong, Tal_Err_OUT_OF_MEMORY, "out of memory: vector"},
        {&other, Bas_NiroErr(1), "exception: broken"}};
    TakeReports();
    for (const auto& c : cases) {
        const long err = Bas_TranslateAndReportException(*c.e);
        EXPECT_EQ(std::tuple(err, TakeReports()), std::tuple(c.err, Reports{Msg(0x110000, c.text)}))
            << c.text;
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
    EXPECT_STREQ(Tal_G_zref->name, "Tal");
    EXPECT_EQ(std::tuple(Tal_G_zref->count, Tal_G_zref->reserved), std::tuple(43, 0u));
    const Tal_LStrEntry& end = Tal_G_zref->records[Tal_MessageCount];
    EXPECT_EQ(std::tuple(end.key, end.reserved[0], end.reserved[1], end.reserved[2]),
              std::tuple(nullptr, ~0u, ~0u, 0u));
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

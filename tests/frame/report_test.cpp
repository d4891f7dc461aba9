// The reporter and the message table it formats from.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "frame/base_library.h"
#include "support/reports.h"

namespace {

using taltest::Msg;
using taltest::Reports;
using taltest::TakeReports;

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

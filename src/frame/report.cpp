// The one reporter: formats the message of a code into the base library's buffer and reports it.
#include <cstdio>

#include "frame/base_library.h"

namespace {

constexpr int16_t Talp_UnknownError = 0;

// Message index of the format that carries a phrase, for the codes that take one.
int16_t Talp_PhraseFormat(Tal_Err err) {
    switch (err) {
        case Tal_Err_OVERFLOW:
            return 2;
        case Tal_Err_UNDERFLOW:
            return 1;
        case Tal_Err_DIV_BY_ZERO:
            return 3;
        case Tal_Err_UNREQUESTED_SERVICE:
            return 7;
        case Tal_Err_ZERO_DENOM:
            return 10;
        default:
            return -1;
    }
}

// Message index of the format used alone, for the codes without a phrase.
int16_t Talp_PlainFormat(Tal_Err err) {
    switch (err) {
        case Tal_Err_CANT_INVERT:
            return 24;
        case Tal_Err_CANT_DECOMPOSE:
            return 34;
        case Tal_Err_CANT_CALC_NORMAL:
            return 36;
        case Tal_Err_CANT_INTERSECT_PLANE:
            return 37;
        default:
            return -1;
    }
}

}  // namespace

Tal_Err Talp_ReportErr(uint16_t site, Tal_Err err, int16_t phrase) {
    if (err == 0) return 0;
    Basp_G_err_buf[0] = 0;
    char* const out = Basp_G_buffer;
    if (int16_t format = Talp_PhraseFormat(err); format >= 0) {
        // The phrase is looked up first; both texts are live while formatting.
        const char* phraseText = Bas_ZLookupLStrCache(Tal_G_zref, int32_t(phrase), 0, 0);
        const char* formatText = Bas_ZLookupLStrCache(Tal_G_zref, format, 0, 0);
        std::snprintf(out, Basp_BufferSize, formatText, phraseText);
    } else if (int16_t plain = Talp_PlainFormat(err); plain >= 0) {
        std::snprintf(out, Basp_BufferSize, "%s", Bas_ZLookupLStrCache(Tal_G_zref, plain, 0, 0));
    } else {
        const char* formatText = Bas_ZLookupLStrCache(Tal_G_zref, Talp_UnknownError, 0, 0);
        std::snprintf(out, Basp_BufferSize, formatText, long(err));
    }
    Basp_ReportError(Tal_ReportCode(site), err == Tal_Err_UNDERFLOW ? 4 : 8);
    return err;
}

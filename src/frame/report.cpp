// The one reporter: formats the message of a code into the base library's buffer and reports it.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "frame/base_library.h"
#include "frame/frame_internal.h"

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

// The next conversion directive from at on ("%" up to and with its conversion character),
// "%%" skipped; empty at the end of the format.
std::string_view Talp_NextConversion(const char*& at) {
    while (*at) {
        if (*at++ != '%') continue;
        if (*at == '%') {
            ++at;
            continue;
        }
        const char* start = at - 1;
        while (*at && !std::strchr("diouxXeEfFgGaAcspn", *at))
            ++at;
        if (*at) ++at;
        return {start, size_t(at - start)};
    }
    return {};
}

bool Talp_SameConversions(const char* a, const char* b) {
    for (;;) {
        const std::string_view x = Talp_NextConversion(a);
        if (x != Talp_NextConversion(b)) return false;
        if (x.empty()) return true;
    }
}

// The table's format for index, unless a replaced table gave it conversions other than the
// built-in text's: then the built-in text, since snprintf must only get the arguments its format
// asks for.
const char* Talp_CheckedFormat(int16_t index) {
    const char* looked = Bas_ZLookupLStrCache(Tal_G_zref, index, 0, 0);
    const char* builtIn = Talp_BuiltInText(index);
    return Talp_SameConversions(looked, builtIn) ? looked : builtIn;
}

}  // namespace

Tal_Err Talp_ReportErr(uint16_t site, Tal_Err err, int16_t phrase) {
    if (err == 0) return 0;
    Basp_G_err_buf[0] = 0;
    char* const out = Basp_G_buffer;
    if (int16_t format = Talp_PhraseFormat(err); format >= 0) {
        // The phrase is looked up first; both texts are live while formatting.
        const char* phraseText = Bas_ZLookupLStrCache(Tal_G_zref, int32_t(phrase), 0, 0);
        std::snprintf(out, Basp_BufferSize, Talp_CheckedFormat(format), phraseText);
    } else if (int16_t plain = Talp_PlainFormat(err); plain >= 0) {
        std::snprintf(out, Basp_BufferSize, "%s", Bas_ZLookupLStrCache(Tal_G_zref, plain, 0, 0));
    } else {
        std::snprintf(out, Basp_BufferSize, Talp_CheckedFormat(Talp_UnknownError), long(err));
    }
    Basp_ReportError(Tal_ReportCode(site), err == Tal_Err_UNDERFLOW ? 4 : 8);
    return err;
}

// Result codes and report codes, with the export macros: the bottom of every public header, so that
// a family's header brings no more of the package frame than these.
#pragma once

#include <cstdint>

#include "tal/export.h"

/// Result code of every fallible operation; 0 is success.
typedef int32_t Tal_Err;

constexpr Tal_Err Tal_Err_NONE = 0;
constexpr Tal_Err Tal_Err_BAD_AXIS = 3;
constexpr Tal_Err Tal_Err_OUT_OF_MEMORY = 4;
constexpr Tal_Err Tal_Err_VERSION_MISMATCH = 7;
constexpr Tal_Err Tal_Err_OVERFLOW = 0x1102;
constexpr Tal_Err Tal_Err_UNDERFLOW = 0x1103;
constexpr Tal_Err Tal_Err_DIV_BY_ZERO = 0x1104;
constexpr Tal_Err Tal_Err_UNREQUESTED_SERVICE = 0x1105;
constexpr Tal_Err Tal_Err_ZERO_DENOM = 0x1106;
constexpr Tal_Err Tal_Err_CANT_INVERT = 0x1107;
constexpr Tal_Err Tal_Err_CANT_DECOMPOSE = 0x1108;
constexpr Tal_Err Tal_Err_CANT_CALC_NORMAL = 0x1109;
constexpr Tal_Err Tal_Err_CANT_INTERSECT_PLANE = 0x110A;
constexpr Tal_Err Tal_Err_ZERO_VECTOR = 0x110B;
constexpr Tal_Err Tal_Err_ZERO_W = 0x110C;

/// Report code of a site: the package number 0x11 in the high half, the site in the low half.
constexpr int32_t Tal_ReportCode(uint16_t site) {
    return int32_t(0x110000u | site);
}

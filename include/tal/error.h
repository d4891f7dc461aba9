/// \file
/// Result codes and report codes, with the export macros: the bottom of every public header, so
/// that a family's header brings no more of the package frame than these.
#pragma once

#include <cstdint>

#include "tal/export.h"

/// Result code of every fallible operation; 0 is success.
typedef int32_t Tal_Err;

constexpr Tal_Err Tal_Err_NONE = 0;  ///< Success.
constexpr Tal_Err Tal_Err_BAD_AXIS =
    3;  ///< A rotation axis that is not x, y or z (Tal_RotateMatrix4).
constexpr Tal_Err Tal_Err_OUT_OF_MEMORY =
    4;  ///< A table, outline or working list could not be allocated.
constexpr Tal_Err Tal_Err_VERSION_MISMATCH =
    7;  ///< The caller expects another major version (Tal_CheckVersions).
constexpr Tal_Err Tal_Err_OVERFLOW = 0x1102;  ///< A result does not fit its type.
constexpr Tal_Err Tal_Err_UNDERFLOW =
    0x1103;  ///< Reported with severity 4; no operation produces it.
constexpr Tal_Err Tal_Err_DIV_BY_ZERO = 0x1104;  ///< A divisor of zero.
constexpr Tal_Err Tal_Err_UNREQUESTED_SERVICE =
    0x1105;  ///< A lookup table of a service not requested at birth.
constexpr Tal_Err Tal_Err_ZERO_DENOM = 0x1106;   ///< A ratio with a zero denominator.
constexpr Tal_Err Tal_Err_CANT_INVERT = 0x1107;  ///< A singular matrix.
constexpr Tal_Err Tal_Err_CANT_DECOMPOSE =
    0x1108;  ///< A matrix that is not a decomposable affine transform.
constexpr Tal_Err Tal_Err_CANT_CALC_NORMAL = 0x1109;  ///< A degenerate plane or polygon normal.
constexpr Tal_Err Tal_Err_CANT_INTERSECT_PLANE =
    0x110A;  ///< A ray parallel to a plane, or a rejected backward hit.
constexpr Tal_Err Tal_Err_ZERO_VECTOR = 0x110B;  ///< Normalizing a zero-length vector (thrown).
constexpr Tal_Err Tal_Err_ZERO_W = 0x110C;       ///< A homogeneous point with W = 0 (thrown).

/// Report code of a site: the package number 0x11 in the high half, the site in the low half.
constexpr int32_t Tal_ReportCode(uint16_t site) {
    return int32_t(0x110000u | site);
}

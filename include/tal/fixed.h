/// \file
/// Fixed-point numbers: 16.16 (Tal_Fixed) and 8.24 (Tal_Fix24). Every operation returns 0x80000000
/// on failure, which is also the legal value -32768.0 (16.16) or -128.0 (8.24).
#pragma once

#include <cstdint>

#include "tal/error.h"

/// Signed 16.16 fixed point: value = raw / 65536.
typedef int32_t Tal_Fixed;
/// Signed 8.24 fixed point: value = raw / 16777216.
typedef int32_t Tal_Fix24;

/// The failure mark of all four operations.
constexpr int32_t Tal_FixedFailure = INT32_MIN;

/// a * b in 16.16; exact when the operands' trailing zero bits together exceed 16, else each is
/// floored to 1/256 first; 0x80000000 when the product's sign is wrong (a wrap to the expected
/// sign goes undetected). Reports nothing.
TAL_C_API Tal_Fixed Tal_FixMul(Tal_Fixed a, Tal_Fixed b);
/// a / b in 16.16, truncated toward zero (a dividend above 0xFFFF in magnitude drops the divisor's
/// low bits first); 0x80000000 for b = 0 or a quotient out of range. Reports nothing.
TAL_C_API Tal_Fixed Tal_FixDiv(Tal_Fixed a, Tal_Fixed b);
/// a * b in 8.24 through doubles, rounded half away from zero; a product outside (-129, 128) is
/// reported as Tal_Err_OVERFLOW at site 0x08 and gives 0x80000000, as do unreported products in
/// (-129, -128) and just under 128 whose rounding leaves 32 bits.
TAL_C_API Tal_Fix24 Tal_Fix24Mul(Tal_Fix24 a, Tal_Fix24 b);
/// a / b (any common scale) as 8.24 through doubles, rounded half away from zero; b = 0 reports
/// Tal_Err_DIV_BY_ZERO and a quotient outside (-129, 128) Tal_Err_OVERFLOW, both at site 0x09,
/// and give 0x80000000, as do unreported quotients whose rounding leaves 32 bits.
TAL_C_API Tal_Fix24 Tal_Fix24Ratio(int32_t a, int32_t b);

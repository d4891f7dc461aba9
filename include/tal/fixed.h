// Fixed-point numbers: 16.16 (Tal_Fixed) and 8.24 (Tal_Fix24).
#pragma once

#include <cstdint>

#include "tal/frame.h"

/// Signed 16.16 fixed point: value = raw / 65536.
typedef int32_t Tal_Fixed;
/// Signed 8.24 fixed point: value = raw / 16777216.
typedef int32_t Tal_Fix24;

// The signed 32-bit range in double precision, for the conversions that test or clamp against it.
#pragma once

/// INT32_MIN and INT32_MAX as doubles; both are exact.
constexpr double Talp_Int32MinDouble = -2147483648.0;
constexpr double Talp_Int32MaxDouble = 2147483647.0;

/// True when truncating v toward zero gives a signed 32-bit value: -2^31 - 1 < v < 2^31. NaN
/// gives false.
inline bool Talp_TruncatesToInt32(double v) {
    return v > Talp_Int32MinDouble - 1.0 && v < Talp_Int32MaxDouble + 1.0;
}

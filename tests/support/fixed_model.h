// Fixed point and bit counts the slow, obvious way, for the tests and the fuzz targets.
#pragma once

#include <cmath>
#include <cstdint>

namespace taltest {

constexpr int32_t kFixedMark = INT32_MIN;

inline int TrailingZeros(uint32_t x) {
    int n = 0;
    while (n < 32 && !(x >> n & 1))
        ++n;
    return n;
}

inline int LeadingZeros(uint32_t x) {
    int n = 0;
    while (n < 32 && !(x << n & 0x80000000u))
        ++n;
    return n;
}

inline uint32_t Magnitude(int32_t v) {
    return v < 0 ? 0u - uint32_t(v) : uint32_t(v);
}

// Products keep their low 32 bits; shifts of negative values floor.
inline int32_t WrappedProduct(int32_t a, int32_t b) {
    return int32_t(uint32_t(a) * uint32_t(b));
}
inline int32_t FloorShift(int32_t v, int s) {
    return int32_t(int64_t(v) >> s);
}

// 16.16: exact with over 16 trailing zeros in all, else from operands floored to 1/256.
inline int32_t FixMulModel(int32_t a, int32_t b) {
    const int ta = TrailingZeros(Magnitude(a));
    int32_t r = WrappedProduct(FloorShift(a, 8), FloorShift(b, 8));
    if (ta > 16)
        r = WrappedProduct(FloorShift(a, 16), b);
    else if (ta + TrailingZeros(Magnitude(b)) > 16)
        r = WrappedProduct(FloorShift(b, 16 - ta), FloorShift(a, ta));
    return ((a < 0) != (b < 0) ? r > 0 : r < 0) ? kFixedMark : r;
}

// 16.16 truncated: a dividend above 2^16 keeps its bits, the divisor drops low ones instead.
inline int32_t FixDivModel(int32_t a, int32_t b) {
    const int z = LeadingZeros(Magnitude(a));
    const uint32_t ub = b == 0 ? 0 : z < 16 ? Magnitude(b) >> (16 - z) : Magnitude(b);
    if (ub == 0) return kFixedMark;
    const uint32_t q = (Magnitude(a) << (z < 16 ? z : 16)) / ub;
    if ((a < 0) != (b < 0)) return q > 0x80000000u ? kFixedMark : int32_t(0u - q);
    return q > 0x7FFFFFFFu ? kFixedMark : int32_t(q);
}

// 8.24: the caller reports outside the range; halves away from zero; beyond 32 bits the mark.
inline bool Fix24InRange(double q) {
    return -129.0 < q && q < 128.0;
}
inline int32_t Fix24Model(double q) {
    const double t = std::trunc(q * 16777216.0 + (q >= 0 ? 0.5 : -0.5));
    return !Fix24InRange(q) || t < -2147483648.0 || t > 2147483647.0 ? kFixedMark : int32_t(t);
}
inline double Fix24Product(int32_t a, int32_t b) {
    return (a * 0x1p-24) * (0x1p-24 * b);
}

}  // namespace taltest

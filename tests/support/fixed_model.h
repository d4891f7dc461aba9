// Fixed point and bit counts computed the slow, obvious way: branches and loops where the library
// uses masks, so that a shared mistake is unlikely. Used by the tests and the fuzz targets.
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

// 16.16 product: exact when the operands have more than 16 trailing zeros between them, else
// from operands floored to 1/256; the mark when the sign came out wrong.
inline int32_t FixMulModel(int32_t a, int32_t b) {
    const int ta = TrailingZeros(Magnitude(a));
    int32_t r;
    if (ta > 16)
        r = WrappedProduct(FloorShift(a, 16), b);
    else if (ta + TrailingZeros(Magnitude(b)) > 16)
        r = WrappedProduct(FloorShift(b, 16 - ta), FloorShift(a, ta));
    else
        r = WrappedProduct(FloorShift(a, 8), FloorShift(b, 8));
    const bool oneNegative = (a < 0) != (b < 0);
    return (oneNegative ? r > 0 : r < 0) ? kFixedMark : r;
}

// 16.16 quotient, truncated: a dividend above 2^16 keeps its bits and the divisor drops its low
// ones instead; the mark for a zero divisor and a quotient beyond 32 bits.
inline int32_t FixDivModel(int32_t a, int32_t b) {
    if (b == 0) return kFixedMark;
    const uint32_t ua = Magnitude(a);
    uint32_t ub = Magnitude(b);
    const int z = LeadingZeros(ua);
    if (z < 16) ub >>= 16 - z;
    if (ub == 0) return kFixedMark;
    const uint32_t q = (z < 16 ? ua << z : ua << 16) / ub;
    if ((a < 0) != (b < 0)) return q > 0x80000000u ? kFixedMark : int32_t(0u - q);
    return q > 0x7FFFFFFFu ? kFixedMark : int32_t(q);
}

// 8.24 from a double: the range test (the caller reports outside it), then halves away from zero;
// a rounded value beyond 32 bits is the mark too, unreported.
inline bool Fix24InRange(double q) {
    return -129.0 < q && q < 128.0;
}
inline int32_t Fix24Model(double q) {
    if (!Fix24InRange(q)) return kFixedMark;
    const double t = std::trunc(q * 16777216.0 + (q >= 0 ? 0.5 : -0.5));
    return t < -2147483648.0 || t > 2147483647.0 ? kFixedMark : int32_t(t);
}
inline double Fix24Product(int32_t a, int32_t b) {
    return (a * 0x1p-24) * (0x1p-24 * b);
}

}  // namespace taltest

// Fixed point and bit counts the slow, obvious way, for the tests and the fuzz targets.
#pragma once

#include <cmath>
#include <cstdint>

namespace taltest {

constexpr int32_t kFixedMark = INT32_MIN;

struct FixedModel {
    static int TrailingZeros(uint32_t x, int n = 0) {
        return n == 32 || x >> n & 1 ? n : TrailingZeros(x, n + 1);
    }
    static int LeadingZeros(uint32_t x, int n = 0) {
        return n == 32 || x << n >> 31 ? n : LeadingZeros(x, n + 1);
    }
    static uint32_t Magnitude(int32_t v) { return v < 0 ? 0u - uint32_t(v) : uint32_t(v); }
    // Products keep their low 32 bits; shifts of negative values floor.
    static int32_t Wrapped(int32_t a, int32_t b) { return int32_t(uint32_t(a) * uint32_t(b)); }
    static int32_t Floor(int32_t v, int s) { return int32_t(int64_t(v) >> s); }

    // 16.16: exact with over 16 trailing zeros in all, else from operands floored to 1/256.
    static int32_t Mul(int32_t a, int32_t b) {
        const int ta = TrailingZeros(Magnitude(a));
        int32_t r = Wrapped(Floor(a, 8), Floor(b, 8));
        if (ta > 16)
            r = Wrapped(Floor(a, 16), b);
        else if (ta + TrailingZeros(Magnitude(b)) > 16)
            r = Wrapped(Floor(b, 16 - ta), Floor(a, ta));
        return ((a < 0) != (b < 0) ? r > 0 : r < 0) ? kFixedMark : r;
    }
    // 16.16 truncated: a dividend above 2^16 keeps its bits, the divisor drops low ones instead.
    static int32_t Div(int32_t a, int32_t b) {
        const int z = LeadingZeros(Magnitude(a));
        const uint32_t ub = b == 0 ? 0 : z < 16 ? Magnitude(b) >> (16 - z) : Magnitude(b);
        if (ub == 0) return kFixedMark;
        const uint32_t q = (Magnitude(a) << (z < 16 ? z : 16)) / ub;
        if ((a < 0) != (b < 0)) return q > 0x80000000u ? kFixedMark : int32_t(0u - q);
        return q > 0x7FFFFFFFu ? kFixedMark : int32_t(q);
    }

    // 8.24: outside the range the caller reports; halves away from zero; beyond 32 bits the mark.
    static bool InRange24(double q) { return -129.0 < q && q < 128.0; }
    static int32_t Round24(double q) {
        const double t = std::trunc(q * 16777216.0 + (q >= 0 ? 0.5 : -0.5));
        return !InRange24(q) || t < -2147483648.0 || t > 2147483647.0 ? kFixedMark : int32_t(t);
    }
    static double Product24(int32_t a, int32_t b) { return (a * 0x1p-24) * (0x1p-24 * b); }
    static double Ratio24(int32_t a, int32_t b) { return b ? double(a) / b : NAN; }
};

}  // namespace taltest

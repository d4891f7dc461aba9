// Shared pieces of the bulk-transform tests: bitwise equality, seeded inputs, long-double models.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

#include <ostream>

#include "tal/rect.h"
#include "tal/vector.h"

// Record equality and printing for the assertions (the records themselves define none).
inline bool operator==(const Tal_Point& a, const Tal_Point& b) {
    return a.h == b.h && a.v == b.v;
}
inline bool operator==(const Tal_FixedPoint& a, const Tal_FixedPoint& b) {
    return a.x == b.x && a.y == b.y;
}
inline std::ostream& operator<<(std::ostream& os, const Tal_Point& p) {
    return os << "(h " << p.h << ", v " << p.v << ")";
}
inline std::ostream& operator<<(std::ostream& os, const Tal_FixedPoint& p) {
    return os << "(" << p.x << ", " << p.y << ")";
}

namespace xformtest {

/// Same bits (so -0.0 differs from +0.0 and a NaN equals itself).
inline bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline uint64_t Bits(double d) {
    uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    return u;
}

/// Distance in ulps between two finite doubles of the same sign region.
inline uint64_t UlpDistance(double a, double b) {
    auto key = [](double d) {
        const uint64_t u = Bits(d);
        return (u >> 63) ? ~u + 1 : u | (uint64_t(1) << 63);
    };
    const uint64_t ka = key(a), kb = key(b);
    return ka > kb ? ka - kb : kb - ka;
}

/// FNV-1a over the bits of a double, for golden checksums of whole runs.
inline void Fold(uint64_t& h, double d) {
    const uint64_t u = Bits(d);
    for (int i = 0; i < 8; ++i) {
        h ^= (u >> (8 * i)) & 0xFF;
        h *= 1099511628211ull;
    }
}

struct Rng {
    std::mt19937_64 gen;
    explicit Rng(uint64_t seed) : gen(seed) {}
    double Uniform(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(gen);
    }
    int32_t Int(int32_t lo, int32_t hi) {
        return std::uniform_int_distribution<int32_t>(lo, hi)(gen);
    }
    template <size_t N>
    void Fill(double (&m)[N], double lo, double hi) {
        for (double& v : m)
            v = Uniform(lo, hi);
    }
    template <size_t R, size_t C>
    void Fill(double (&m)[R][C], double lo, double hi) {
        for (auto& row : m)
            Fill(row, lo, hi);
    }
};

/// Row-vector product in long double over an n x n matrix: the exact-as-possible model.
template <int N>
inline void WideProduct(const double* m, const double* in, long double* out) {
    for (int c = 0; c < N; ++c) {
        long double s = 0;
        for (int r = 0; r < N; ++r)
            s += (long double)in[r] * m[r * N + c];
        out[c] = s;
    }
}

}  // namespace xformtest

// Products summed left to right as the kernels sum them, a pi, and bit-exact doubles.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace taltest {

constexpr double kPi = 3.141592653589793;

/// Column c of the row vector in times the n x n row-major m, summed left to right.
inline double RowTimesColumn(const double* in, const double* m, int n, int c) {
    double s = in[0] * m[c];
    for (int r = 1; r < n; ++r)
        s = s + in[r] * m[r * n + c];
    return s;
}

/// a x b for n x n row-major matrices, each element summed left to right.
inline std::vector<double> Product(const double* a, const double* b, int n) {
    std::vector<double> c(n * n);
    for (int i = 0; i < n * n; ++i)
        c[i] = RowTimesColumn(a + i / n * n, b, n, i % n);
    return c;
}

/// The bit patterns of count doubles, so that -0.0 and NaN payloads compare exactly.
inline std::vector<uint64_t> Bits(const double* v, size_t count) {
    std::vector<uint64_t> bits(count);
    std::memcpy(bits.data(), v, count * sizeof(double));
    return bits;
}
inline std::vector<uint64_t> Bits(const std::vector<double>& v) {
    return Bits(v.data(), v.size());
}
/// Bits of any record (a vector, point, rectangle or matrix; an array), as 64-bit words, the last
/// one zero-padded.
template <typename T>
std::vector<uint64_t> Bits(const T& object) {
    std::vector<uint64_t> bits((sizeof(T) + 7) / 8);
    std::memcpy(bits.data(), &object, sizeof(T));
    return bits;
}
/// The doubles of a record of doubles, compared by value (-0.0 equals +0.0).
template <typename T>
std::vector<double> Values(const T& object) {
    const double* first = reinterpret_cast<const double*>(&object);
    return std::vector<double>(first, first + sizeof(T) / 8);
}

}  // namespace taltest

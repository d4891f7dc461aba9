// Reference models shared by the matrix, transform and polygon tests: row-vector products summed
// left to right, as the kernels sum, so that results compare bit for bit; a pi of our own; and
// bit-exact comparison of doubles.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace taltest {

// pi rounded to double.
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

/// Bits of any object made of doubles (a vector, point, rectangle or matrix).
template <typename T>
std::vector<uint64_t> Bits(const T& object) {
    static_assert(sizeof(T) % sizeof(double) == 0, "an object of doubles");
    const size_t bytes = sizeof(T);
    return Bits(reinterpret_cast<const double*>(&object), bytes / sizeof(double));
}

/// The doubles of such an object, compared by value (-0.0 equals +0.0).
template <typename T>
std::vector<double> Values(const T& object) {
    const size_t bytes = sizeof(T);
    const double* first = reinterpret_cast<const double*>(&object);
    return std::vector<double>(first, first + bytes / sizeof(double));
}

}  // namespace taltest

// Per function, a digest of every output over seeded edge and random inputs, against the digest
// of the plain implementations. A NaN counts as one value: its payload follows operand order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "tal/fixed.h"
#include "tal/integer.h"
#include "tal/matrix.h"
#include "tal/ratio.h"

namespace {

// FNV-1a over 8-byte words, where any NaN double counts as the word 1.
struct Digest {
    uint64_t h = 14695981039346656037ull;
    Digest& Add(const void* p, size_t n) {
        for (size_t i = 0; i < n; i += 8) {
            uint64_t w = 0;
            std::memcpy(&w, static_cast<const char*>(p) + i, std::min<size_t>(n - i, 8));
            h = (h ^ ((w << 1) > (0x7FF0000000000000ull << 1) ? 1 : w)) * 1099511628211ull;
        }
        return *this;
    }
};

// Edge values, exact zeros and ones as in axis rotations, and random values in [-4, 4).
double Value(std::mt19937_64& rng) {
    static const double kEdges[] = {0.0,    -0.0, 1e-12, -1.0,   0x1p-1074, 1e-20,
                                    -1e-20, 0.5,  1e300, -1e300, HUGE_VAL,  -HUGE_VAL,
                                    NAN,    3.0,  -0.25, 1e-16};
    const uint64_t r = rng();
    if (r % 4 == 0) return kEdges[(r >> 8) % 16];
    if (r % 4 == 1) return (r >> 8) % 2;
    return double(int64_t(r >> 11) - (int64_t(1) << 52)) * 0x1p-50;
}

TEST(BitsUnchanged, InverseDeterminantAndRotationsOf4x4) {
    std::mt19937_64 rng(14);
    Digest inv4, rotate, turns;
    for (int i = 0; i < 20000; ++i) {
        double m[16], v[4], out[16], determinant, r[16];
        Tal_IdentityMatrix4(r);
        std::generate(m, m + 16, [&rng] { return Value(rng); });
        std::generate(v, v + 4, [&rng] { return Value(rng); });
        unsigned char failed = 9;
        const Tal_Err err = Tal_InverseMatrix4Quiet(m, out, &failed);
        Tal_GetMatrix4Determinant(m, &determinant);
        inv4.Add(out, 128).Add(&err, 4).Add(&failed, 1).Add(&determinant, 8);
        std::copy(m, m + 16, out);
        const Tal_Err errs[3] = {Tal_RotateMatrix4XYZ(v[0], v[1], v[2], out),
                                 Tal_RotateMatrix4XYZPlus(v[1], v[2], v[3], 0, out),
                                 Tal_RotateMatrix4(v[0], v[1], v[2], v[3], out)};
        rotate.Add(out, sizeof out).Add(errs, sizeof errs);
        Tal_Quat q0{m[0], m[1], m[2], m[3]}, q1{v[0], v[1], v[2], v[3]}, q;
        Tal_Slerp(&q0, &q1, i % 3 ? m[4] : double(i % 7) / 6, &q);
        const Tal_Err errs3[2] = {Tal_RotateMatrix4XYZ(v[0], v[1], v[2], r),
                                  Tal_InverseMatrixQuiet(m, out, &failed)};
        turns.Add(r, 128).Add(&q, 32).Add(out, 72).Add(errs3, 8).Add(&failed, 1);
    }
    EXPECT_EQ(inv4.h, 7284878244874289038u) << "4x4 inverse or determinant differs";
    EXPECT_EQ(rotate.h, 2115668178996283376u)
        << "Tal_RotateMatrix4XYZ(Plus) or Tal_RotateMatrix4: a bit differs";
    EXPECT_EQ(turns.h, 6074534388379313008u) << "XYZ turn of I, slerp or 3x3 inverse differs";
}

// int32 extremes, small terms with common factors, raw values shifted to every width.
uint32_t Term(std::mt19937_64& rng) {
    static const uint32_t kEdges[] = {
        0, 1, 2, 3, 6, 0x7FFFFFFF, 0x80000000u, 0x80000001u, 0xFFFFFFFFu, 0x40000000, 46341, 65536};
    const uint64_t r = rng();
    if (r % 4 == 0) return kEdges[(r >> 8) % 12];
    if (r % 4 == 1) return uint32_t(r >> 8) % 1024 * (1u << (r >> 40) % 8);
    return uint32_t(r >> 32) >> (r >> 8) % 32;
}

TEST(BitsUnchanged, RatioCompareAndAddAndFixMul) {
    std::mt19937_64 rng(14);
    Digest compare, add, fixMul, reduce;
    for (int i = 0; i < 200000; ++i) {
        const int32_t n0 = int32_t(i % 2 ? Term(rng) : 0u - Term(rng)), n1 = int32_t(Term(rng));
        Tal_Ratio a{n0, Term(rng) | (i % 16 != 0)}, b{n1, i % 8 ? Term(rng) | 1 : a.den};
        int32_t order = 0;
        Tal_RatioStatus status = Tal_RatioStatus(i % 4);
        Tal_Ratio sum{}, low{};
        const Tal_Err errs[3] = {Tal_CompareRatio(&a, &b, &order), Tal_MinRatio(&a, &b, &low),
                                 Tal_AddRatio(&a, &b, &sum, &status)};
        compare.Add(errs, 8).Add(&order, 4).Add(&low, 8);
        add.Add(errs + 2, 4).Add(&sum, 8).Add(&status, 1);
        const Tal_Fixed product = Tal_FixMul(n0, n1);
        fixMul.Add(&product, 4);
        uint8_t reduced = 9;
        status = Tal_RatioStatus(i % 4);
        const Tal_Err errs2[2] = {Tal_MulRatio(&a, &b, &low, &status),
                                  Tal_ReduceRatio(&a, &sum, &reduced)};
        Tal_UnsignedGCD(a.den, b.den, &a.den);
        Tal_SignedGCD(n0, n1, &a.num);
        reduce.Add(errs2, 8).Add(&low, 8).Add(&status, 1).Add(&sum, 8).Add(&reduced, 1).Add(&a, 8);
    }
    EXPECT_EQ(compare.h, 944587217345502405u) << "Tal_CompareRatio or Tal_MinRatio differs";
    EXPECT_EQ(add.h, 12614595406487521363u) << "Tal_AddRatio: some result, code or status differs";
    EXPECT_EQ(fixMul.h, 4775015243349104129u) << "Tal_FixMul: some result differs";
    EXPECT_EQ(reduce.h, 3860142481017457807u) << "Tal_MulRatio, Tal_ReduceRatio or a GCD differs";
}

}  // namespace

// Products, transpose, inversion, determinant and normal matrix against independent references.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "matrix/minors.h"
#include "support/reports.h"
#include "tal/matrix.h"

namespace {

using taltest::Msg;
using taltest::TakeReports;

constexpr double kEps = std::numeric_limits<double>::epsilon();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const std::string kCantInvert = "unable to invert matrix.";

template <int N>
bool SameBits(const double* a, const double* b) {
    return std::memcmp(a, b, N * sizeof(double)) == 0;
}

// Diagonally dominant, hence well conditioned: 4 on the diagonal, [-1, 1] elsewhere.
template <int N>
void RandomWellConditioned(std::mt19937_64& rng, double* m) {
    std::uniform_real_distribution<double> u(-1, 1);
    for (int i = 0; i < N * N; ++i)
        m[i] = u(rng) + (i % (N + 1) == 0 ? (u(rng) < 0 ? -4 : 4) : 0);
}

template <int N>
void RandomIntegers(std::mt19937_64& rng, double* m, int64_t* exact, int range) {
    std::uniform_int_distribution<int> u(-range, range);
    for (int i = 0; i < N * N; ++i)
        m[i] = double(exact[i] = u(rng));
}

template <int N>
double MaxDistanceFromIdentity(const double* a, const double* b) {
    double worst = 0;
    for (int i = 0; i < N; ++i) {
        for (int j = 0; j < N; ++j) {
            long double s = 0;
            for (int k = 0; k < N; ++k)
                s += (long double)a[i * N + k] * b[k * N + j];
            worst = std::max(worst, double(std::fabs(s - (i == j ? 1 : 0))));
        }
    }
    return worst;
}

// ---- Products and transpose ----

TEST(ConcatMatrix4, MatchesExactIntegerProducts) {
    std::mt19937_64 rng(11);
    for (int n = 0; n < 2000; ++n) {
        double a[16], b[16], out[16];
        int64_t ea[16], eb[16];
        RandomIntegers<4>(rng, a, ea, 1 << 20);
        RandomIntegers<4>(rng, b, eb, 1 << 20);
        Tal_ConcatMatrix4(a, b, out);
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                int64_t s = 0;
                for (int k = 0; k < 4; ++k)
                    s += ea[i * 4 + k] * eb[k * 4 + j];
                ASSERT_EQ(out[i * 4 + j], double(s)) << n;  // |s| < 2^42: exact in a double
            }
        }
    }
}

TEST(ConcatMatrix, BothSizesSumLeftToRightAndAlias) {
    std::mt19937_64 rng(12);
    std::uniform_real_distribution<double> u(-1e3, 1e3);
    for (int n = 0; n < 2000; ++n) {
        double a[16], b[16], ref[16];
        for (int i = 0; i < 16; ++i)
            a[i] = u(rng), b[i] = u(rng);
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                double s = a[i * 4] * b[j];
                for (int k = 1; k < 4; ++k)
                    s = s + a[i * 4 + k] * b[k * 4 + j];
                ref[i * 4 + j] = s;
            }
        }
        double left[16], right[16], fresh[16];
        std::memcpy(left, a, sizeof a);
        std::memcpy(right, b, sizeof b);
        Tal_ConcatMatrix4(a, b, fresh);
        Tal_ConcatMatrix4(left, b, left);
        Tal_ConcatMatrix4(a, right, right);
        ASSERT_TRUE(SameBits<16>(fresh, ref)) << n;
        ASSERT_TRUE(SameBits<16>(left, ref)) << "out == a";
        ASSERT_TRUE(SameBits<16>(right, ref)) << "out == b";

        // 3x3: b := b x a, also squaring in place.
        double a3[9], b3[9], ref3[9], sq[9], refSq[9];
        std::memcpy(a3, a, sizeof a3);
        std::memcpy(b3, b, sizeof b3);
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                ref3[i * 3 + j] =
                    b3[i * 3] * a3[j] + b3[i * 3 + 1] * a3[3 + j] + b3[i * 3 + 2] * a3[6 + j];
                refSq[i * 3 + j] =
                    a3[i * 3] * a3[j] + a3[i * 3 + 1] * a3[3 + j] + a3[i * 3 + 2] * a3[6 + j];
            }
        }
        EXPECT_EQ(Tal_ConcatMatrix(a3, b3), 0);
        ASSERT_TRUE(SameBits<9>(b3, ref3)) << n;
        std::memcpy(sq, a3, sizeof sq);
        Tal_ConcatMatrix(sq, sq);
        ASSERT_TRUE(SameBits<9>(sq, refSq)) << "squared in place";
    }
}

TEST(ConcatMatrix, StepThenTargetArgumentOrder) {
    // m maps (x, y) to (2x + y, 3y); t translates by (10, 20).
    const double m[9] = {2, 0, 0, 1, 3, 0, 0, 0, 1};
    const double t[9] = {1, 0, 0, 0, 1, 0, 10, 20, 1};
    double target[9];
    std::memcpy(target, m, sizeof m);
    Tal_ConcatMatrix(t, target);  // m, then the translation
    const double expected[9] = {2, 0, 0, 1, 3, 0, 10, 20, 1};
    EXPECT_TRUE(SameBits<9>(target, expected));
    double step[9];
    std::memcpy(step, t, sizeof t);
    Tal_ConcatMatrix(m, step);  // the translation, then m: t x m
    const double tm[9] = {2, 0, 0, 1, 3, 0, 40, 60, 1};
    EXPECT_TRUE(SameBits<9>(step, tm));
}

TEST(TransposeMatrix4, InPlaceAndTwiceIsIdentity) {
    double m[16], t[16];
    for (int i = 0; i < 16; ++i)
        m[i] = i + 0.5;
    Tal_TransposeMatrix4(m, t);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(t[i * 4 + j], m[j * 4 + i]);
    }
    Tal_TransposeMatrix4(t, t);
    EXPECT_TRUE(SameBits<16>(t, m));
}

// ---- 3x3 inversion ----

TEST(InverseMatrix3, RandomWellConditionedTimesInverseIsIdentity) {
    std::mt19937_64 rng(31);
    for (int n = 0; n < 5000; ++n) {
        double a[9], inv[9], inPlace[9];
        RandomWellConditioned<3>(rng, a);
        unsigned char failed = 9;
        ASSERT_EQ(Tal_InverseMatrixQuiet(a, inv, &failed), 0);
        EXPECT_EQ(failed, 0);
        ASSERT_LE(MaxDistanceFromIdentity<3>(a, inv), 16 * kEps) << n;
        std::memcpy(inPlace, a, sizeof a);
        Tal_InverseMatrixQuiet(inPlace, inPlace, nullptr);
        ASSERT_TRUE(SameBits<9>(inPlace, inv)) << "dst == src";
    }
}

TEST(InverseMatrix3, PivotRulesAndFailureStates) {
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    struct Case {
        const char* name;
        double src[9];
        Tal_Err err;
        double dst[9];  // checked exactly
    } cases[] = {
        {"identity", {1, 0, 0, 0, 1, 0, 0, 0, 1}, 0, {1, 0, 0, 0, 1, 0, 0, 0, 1}},
        {"permutation is its own inverse",
         {0, 0, 1, 0, 1, 0, 1, 0, 0},
         0,
         {0, 0, 1, 0, 1, 0, 1, 0, 0}},
        {"first column zero leaves the identity",
         {0, 1, 2, 0, 3, 4, 0, 5, 6},
         Tal_Err_CANT_INVERT,
         {1, 0, 0, 0, 1, 0, 0, 0, 1}},
        {"1e-19 pivot passes", {1e-19, 0, 0, 0, 1, 0, 0, 0, 1}, 0, {1e19, 0, 0, 0, 1, 0, 0, 0, 1}},
        {"1e-20 pivot passes", {1e-20, 0, 0, 0, 1, 0, 0, 0, 1}, 0, {1e20, 0, 0, 0, 1, 0, 0, 0, 1}},
        {"just below 1e-20 fails",
         {std::nextafter(1e-20, 0), 0, 0, 0, 1, 0, 0, 0, 1},
         Tal_Err_CANT_INVERT,
         {1, 0, 0, 0, 1, 0, 0, 0, 1}},
        // Column 0 pivots on row 2 (a tie with row 0 goes to the higher row), column 1 on row 1
        // (a tie again); column 2 is left with a zero pivot, and dst with the rows in place.
        {"rank 2 fails in column 2",
         {1, 0, 1, 0, 1, 1, 1, 1, 2},
         Tal_Err_CANT_INVERT,
         {1, 1, -1, 0, 1, 0, 0, -1, 1}},
        {"rank 1 fails in column 1 with rows in place",
         {1, 2, 3, 2, 4, 6, 0, 0, 1},
         Tal_Err_CANT_INVERT,
         {1, -0.5, 0, 0, 0.5, 0, 0, 0, 1}},
    };
    for (const auto& c : cases) {
        double dst[9];
        std::fill(dst, dst + 9, kNaN);
        unsigned char failed = 9;
        EXPECT_EQ(Tal_InverseMatrixQuiet(c.src, dst, &failed), c.err) << c.name;
        EXPECT_EQ(failed, c.err ? 1 : 0) << c.name;
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(dst[i], c.dst[i]) << c.name << " element " << i;
        EXPECT_EQ(Tal_InverseMatrixQuiet(c.src, dst, nullptr), c.err) << "null flag";
    }
    (void)identity;
}

TEST(InverseMatrix3, ReportsOnlyInTheReportingForm) {
    const double singular[9] = {0, 1, 2, 0, 3, 4, 0, 5, 6};
    double dst[9];
    TakeReports();
    unsigned char failed = 0;
    EXPECT_EQ(Tal_InverseMatrixQuiet(singular, dst, &failed), Tal_Err_CANT_INVERT);
    EXPECT_TRUE(TakeReports().empty());
    EXPECT_EQ(Tal_InverseMatrix(singular, dst), Tal_Err_CANT_INVERT);
    EXPECT_EQ(TakeReports(), std::vector<taltest::Report>{Msg(Tal_ReportCode(0x23), kCantInvert)});
    const double fine[9] = {2, 0, 0, 0, 4, 0, 1, 1, 1};
    EXPECT_EQ(Tal_InverseMatrix(fine, dst), 0);
    EXPECT_TRUE(TakeReports().empty());
    const double expected[9] = {0.5, 0, 0, 0, 0.25, 0, -0.5, -0.25, 1};
    EXPECT_TRUE(SameBits<9>(dst, expected));
}

// ---- 4x4 inversion and determinant ----

// Leibniz expansion in long double, and the sum of the magnitudes of its terms.
long double LeibnizDeterminant(const double* m, long double* magnitude) {
    int p[4] = {0, 1, 2, 3};
    long double det = 0, mag = 0;
    do {
        int inversions = 0;
        for (int i = 0; i < 4; ++i) {
            for (int j = i + 1; j < 4; ++j)
                inversions += p[i] > p[j];
        }
        long double t = 1;
        for (int i = 0; i < 4; ++i)
            t *= m[i * 4 + p[i]];
        det += inversions & 1 ? -t : t;
        mag += std::fabs(t);
    } while (std::next_permutation(p, p + 4));
    *magnitude = mag;
    return det;
}

TEST(Matrix4Determinant, AgainstLongDoubleAndExactIntegers) {
    std::mt19937_64 rng(41);
    std::uniform_real_distribution<double> u(-1, 1);
    for (int n = 0; n < 5000; ++n) {
        double m[16], det;
        for (double& v : m)
            v = u(rng);
        EXPECT_EQ(Tal_GetMatrix4Determinant(m, &det), 0);
        long double magnitude;
        const long double ref = LeibnizDeterminant(m, &magnitude);
        ASSERT_LE(std::fabs(double(det - ref)), 32 * kEps * double(magnitude)) << n;

        // Small integers: every step is exact, so the result is the exact determinant.
        int64_t e[16];
        RandomIntegers<4>(rng, m, e, 1000);
        Tal_GetMatrix4Determinant(m, &det);
        ASSERT_EQ(det, double(LeibnizDeterminant(m, &magnitude))) << n;
    }
}

TEST(Matrix4Minors, FastFormMatchesTheElementwiseFormBitForBit) {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> u(-10, 10);
    for (int n = 0; n < 5000; ++n) {
        double m[16], fast[16], portable[16];
        for (double& v : m)
            v = u(rng);
        if (n % 100 == 0) m[n % 16] = kNaN;
        const double d1 = Talp_Matrix4Minors(m, fast);
        const double d2 = Talp_Matrix4MinorsPortable(m, portable);
        const double d3 = Talp_Matrix4Minors(m, nullptr);
        ASSERT_TRUE(SameBits<16>(fast, portable)) << n;
        ASSERT_TRUE(SameBits<1>(&d1, &d2) && SameBits<1>(&d1, &d3)) << n;
    }
}

TEST(InverseMatrix4, RandomWellConditionedTimesInverseIsIdentity) {
    std::mt19937_64 rng(43);
    for (int n = 0; n < 5000; ++n) {
        double a[16], inv[16], inPlace[16], k[16];
        RandomWellConditioned<4>(rng, a);
        unsigned char failed = 9;
        ASSERT_EQ(Tal_InverseMatrix4Quiet(a, inv, &failed), 0);
        EXPECT_EQ(failed, 0);
        ASSERT_LE(MaxDistanceFromIdentity<4>(a, inv), 32 * kEps) << n;
        // Each element is exactly its signed cofactor divided by the determinant.
        const double det = Talp_Matrix4MinorsPortable(a, k);
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                const double cof = (i + j) % 2 ? -k[j * 4 + i] : k[j * 4 + i];
                ASSERT_EQ(inv[i * 4 + j], cof / det) << n;
            }
        }
        std::memcpy(inPlace, a, sizeof a);
        EXPECT_EQ(Tal_InverseMatrix4(inPlace, inPlace), 0);
        ASSERT_TRUE(SameBits<16>(inPlace, inv)) << "dst == src";
    }
}

TEST(InverseMatrix4, FailureLeavesTheAdjugateAndReports) {
    const double tiny[16] = {1e-6, 0, 0, 0, 0, 1e-6, 0, 0, 0, 0, 1e-6, 0, 0, 0, 0, 1};
    double dst[16];
    unsigned char failed = 0;
    TakeReports();
    EXPECT_EQ(Tal_InverseMatrix4Quiet(tiny, dst, &failed), Tal_Err_CANT_INVERT);
    EXPECT_EQ(failed, 1);
    EXPECT_TRUE(TakeReports().empty());
    const double adj[16] = {1e-6 * 1e-6 * 1, 0, 0, 0, 0, 1e-6 * 1e-6 * 1,   0, 0, 0, 0,
                            1e-6 * 1e-6 * 1, 0, 0, 0, 0, 1e-6 * 1e-6 * 1e-6};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(dst[i], adj[i]) << i;

    double inPlace[16];
    std::memcpy(inPlace, tiny, sizeof tiny);
    EXPECT_EQ(Tal_InverseMatrix4(inPlace, inPlace), Tal_Err_CANT_INVERT);
    EXPECT_TRUE(SameBits<16>(inPlace, dst));
    EXPECT_EQ(TakeReports(), std::vector<taltest::Report>{Msg(Tal_ReportCode(0x2D), kCantInvert)});

    // A NaN determinant is not below the threshold: it divides.
    double nan[16];
    Tal_IdentityMatrix4(nan);
    nan[5] = kNaN;
    EXPECT_EQ(Tal_InverseMatrix4Quiet(nan, dst, nullptr), 0);
    EXPECT_TRUE(std::isnan(dst[0]));
    // Rank 3: the adjugate of diag(2, 3, 0, 1) has one non-zero element.
    const double rank3[16] = {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(Tal_InverseMatrix4Quiet(rank3, dst, nullptr), Tal_Err_CANT_INVERT);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(dst[i], i == 10 ? 6.0 : 0.0) << i;
}

TEST(CalcNormalMatrix4, TransposesTheInverseOrTheAdjugate) {
    const double m[16] = {2, 1, 0, 0, 0, 4, 0, 0, 0, 0, 8, 0, 3, 5, 7, 1};
    double inv[16], normal[16], quiet[16];
    Tal_InverseMatrix4Quiet(m, inv, nullptr);
    EXPECT_EQ(Tal_CalcNormalMatrix4(m, normal), 0);
    unsigned char failed = 9;
    std::memcpy(quiet, m, sizeof m);
    EXPECT_EQ(Tal_CalcNormalMatrix4Quiet(quiet, quiet, &failed), 0);
    EXPECT_EQ(failed, 0);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(normal[i * 4 + j], inv[j * 4 + i]);
            EXPECT_EQ(quiet[i * 4 + j], inv[j * 4 + i]);
        }
    }

    // Failure: the reporting form leaves the adjugate as it is, the quiet one transposes it.
    const double singular[16] = {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double adj[16];
    Tal_InverseMatrix4Quiet(singular, adj, nullptr);
    TakeReports();
    EXPECT_EQ(Tal_CalcNormalMatrix4(singular, normal), Tal_Err_CANT_INVERT);
    EXPECT_EQ(TakeReports(), std::vector<taltest::Report>{Msg(Tal_ReportCode(0x2D), kCantInvert)});
    EXPECT_TRUE(SameBits<16>(normal, adj));
    EXPECT_EQ(Tal_CalcNormalMatrix4Quiet(singular, quiet, &failed), Tal_Err_CANT_INVERT);
    EXPECT_EQ(failed, 1);
    EXPECT_TRUE(TakeReports().empty());
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(quiet[i * 4 + j], adj[j * 4 + i]);
    }
}

}  // namespace

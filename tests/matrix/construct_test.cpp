// Construction, comparison, classification, embedding, quaternions, change of basis, bearings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "matrix/nearly_equal.h"
#include "tal/matrix.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
constexpr double kEps = std::numeric_limits<double>::epsilon();

bool NearlyEqual(double a, double b) {
    return Talp_NearlyEqual(a, b, Talp_NearlyEqualUnits, Talp_NearlyEqualRel);
}

TEST(NearlyEqual, BoundariesByTable) {
    const double floor = 563 * 0x1p-49;  // 1.000088900582341e-12
    struct Case {
        double a, b;
        bool expected;
    } cases[] = {
        {0, 0, true},
        {0, floor, false},  // strictly below the floor
        {0, std::nextafter(floor, 0), true},
        {-std::nextafter(floor, 0), 0, true},
        {1e6, 1e6 + 1e-6, false},  // 1e6 * 1e-12 = 1e-6 is the tolerance: not strictly below
        {1e6, 1e6 + 0.9e-6, true},
        {-1e6, -1e6 - 0.9e-6, true},  // both negative: mirrored
        {-1e6, -1e6 - 1.1e-6, false},
        {-1, 1, false},
        {kNaN, 1, false},
        {1, kNaN, false},  // the NaN in second place must not be dropped
        {kNaN, kNaN, false},
        {kInf, kInf, false},  // inf - inf is NaN
        {1, kInf, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NearlyEqual(c.a, c.b), c.expected) << c.a << " vs " << c.b;
        EXPECT_EQ(NearlyEqual(c.b, c.a), c.expected) << "symmetric";
    }
}

TEST(ConstructMatrix, IdentityAndZeroOverwriteEveryElement) {
    double m4[16], m3[9];
    std::fill(m4, m4 + 16, kNaN);
    std::fill(m3, m3 + 9, kNaN);
    EXPECT_EQ(Tal_IdentityMatrix4(m4), 0);
    EXPECT_EQ(Tal_SetIdentityMatrix(m3), 0);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m4[i], i % 5 == 0 ? 1.0 : 0.0) << i;
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(m3[i], i % 4 == 0 ? 1.0 : 0.0) << i;
    EXPECT_EQ(Tal_ZeroMatrix4(m4), 0);
    for (double v : m4)
        EXPECT_EQ(0, std::memcmp(&v, "\0\0\0\0\0\0\0\0", 8)) << "+0.0";
}

TEST(EqualMatrix, ComparesValuesNotBytes) {
    double a[16] = {}, b[16];
    std::fill(b, b + 16, -0.0);
    unsigned char eq = 7;
    EXPECT_EQ(Tal_EqualMatrix4(a, b, &eq), 0);
    EXPECT_EQ(eq, 1);
    EXPECT_EQ(Tal_EqualMatrix(a, b, &eq), 0);
    EXPECT_EQ(eq, 1);
    a[15] = kNaN;
    std::memcpy(b, a, sizeof a);
    Tal_EqualMatrix4(a, b, &eq);
    EXPECT_EQ(eq, 0) << "NaN equals nothing, itself included";
    a[15] = 0;
    b[15] = 0;
    b[9] = 1e-300;  // beyond the 3x3 part of the array: Tal_EqualMatrix reads nine elements
    Tal_EqualMatrix(a, b, &eq);
    EXPECT_EQ(eq, 1);
    Tal_EqualMatrix4(a, b, &eq);
    EXPECT_EQ(eq, 0);
}

TEST(EqualMatrixWithinEpsilon, FailsOnlyWhenADifferenceExceedsEps) {
    Tal_Matrix4 a, b;
    Tal_IdentityMatrix4(&a.m[0][0]);
    b = a;
    EXPECT_TRUE(Tal_EqualMatrixWithinEpsilon(a, b, 0.0));
    b.m[1][2] = -0.0;
    EXPECT_TRUE(Tal_EqualMatrixWithinEpsilon(a, b, 0.0)) << "signed zeros";
    b.m[3][3] = 1.5;
    EXPECT_TRUE(Tal_EqualMatrixWithinEpsilon(a, b, 0.5)) << "exactly eps passes";
    EXPECT_FALSE(Tal_EqualMatrixWithinEpsilon(a, b, std::nextafter(0.5, 0)));
    b.m[3][3] = kNaN;
    EXPECT_TRUE(Tal_EqualMatrixWithinEpsilon(a, b, 0.0)) << "a NaN difference never fails";
    Tal_Matrix3 c, d;
    Tal_SetIdentityMatrix(&c.m[0][0]);
    d = c;
    d.m[2][2] = 1 + 2 * kEps;
    EXPECT_FALSE(Tal_EqualMatrixWithinEpsilon(c, d, kEps));
    EXPECT_TRUE(Tal_EqualMatrixWithinEpsilon(c, d, 2 * kEps));
}

TEST(GetMatrixType, ClassificationTable) {
    struct Case {
        const char* name;
        int index;  // element to set (-1: none), and a second one
        double value;
        int index2;
        double value2;
        long expected;
    } cases[] = {
        {"identity", -1, 0, -1, 0, Tal_MatrixType_IDENTITY},
        {"translate x", 6, 5, -1, 0, Tal_MatrixType_TRANSLATE},
        {"translate y", 7, -1e-300, -1, 0, Tal_MatrixType_TRANSLATE},
        {"scale", 0, 2, -1, 0, Tal_MatrixType_SCALE},
        {"zero scale", 4, 0, -1, 0, Tal_MatrixType_SCALE},
        {"scale and translate", 0, 2, 6, 5, Tal_MatrixType_SCALE_TRANSLATE},
        {"skew", 1, 0.5, -1, 0, Tal_MatrixType_AFFINE},
        {"skew with translate", 3, 0.5, 7, 3, Tal_MatrixType_AFFINE},
        {"skew with w 2", 1, 0.5, 8, 2, Tal_MatrixType_PERSPECTIVE},
        {"perspective x", 2, 1e-300, -1, 0, Tal_MatrixType_PERSPECTIVE},
        {"perspective y", 5, -1, -1, 0, Tal_MatrixType_PERSPECTIVE},
        {"NaN w", 8, kNaN, -1, 0, Tal_MatrixType_PERSPECTIVE},
        {"NaN skew", 3, kNaN, -1, 0, Tal_MatrixType_AFFINE},
        {"NaN scale", 0, kNaN, -1, 0, Tal_MatrixType_SCALE},
        {"NaN translation", 6, kNaN, -1, 0, Tal_MatrixType_TRANSLATE},
        {"negative zero skew is zero", 1, -0.0, -1, 0, Tal_MatrixType_IDENTITY},
        {"half turn", 0, -1, 4, -1, Tal_MatrixType_SCALE},
    };
    for (const auto& c : cases) {
        double m[9];
        Tal_SetIdentityMatrix(m);
        if (c.index >= 0) m[c.index] = c.value;
        if (c.index2 >= 0) m[c.index2] = c.value2;
        long type = -1;
        EXPECT_EQ(Tal_GetMatrixType(m, &type), 0);
        EXPECT_EQ(type, c.expected) << c.name;
    }
}

TEST(Matrix3ToMatrix4, DropsThePerspectiveColumnAndPassesZThrough) {
    const double src[9] = {1, 2, 1, 3, 4, 5, 6, 7, 8};
    double dst[16];
    std::fill(dst, dst + 16, kNaN);
    EXPECT_EQ(Tal_Matrix3ToMatrix4(src, dst), 0);
    const double expected[16] = {1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 1, 0, 6, 7, 0, 1};
    EXPECT_EQ(0, std::memcmp(dst, expected, sizeof dst));
}

TEST(Matrix3ToMatrix4Uniform, ScalesZOnlyForAUniformScale) {
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    struct Case {
        const char* name;
        double src[9];
        double z;  // expected dst[2][2]
        double tolerance;
    } cases[] = {
        {"uniform 2 rotated 30 degrees", {2 * c, 2 * s, 0, -2 * s, 2 * c, 0, 9, 8, 1}, 2, 4 * kEps},
        {"scale 2, 3", {2, 0, 0, 0, 3, 0, 0, 0, 1}, 1, 0},
        {"mirror keeps the length", {-3, 0, 0, 0, 3, 0, 0, 0, 1}, 3, 0},
        {"zero", {0, 0, 0, 0, 0, 0, 0, 0, 1}, 0, 0},
        {"NaN never matches", {kNaN, 0, 0, 0, 1, 0, 0, 0, 1}, 1, 0},
    };
    for (const auto& k : cases) {
        double dst[16];
        EXPECT_EQ(Tal_Matrix3ToMatrix4Uniform(k.src, dst), 0);
        EXPECT_NEAR(dst[10], k.z, k.tolerance) << k.name;
        EXPECT_EQ(dst[15], 1.0);
        EXPECT_EQ(0, std::memcmp(&dst[0], &k.src[0], sizeof(double)));
        EXPECT_EQ(dst[13], k.src[7]);
        EXPECT_EQ(dst[3], 0.0);
    }
}

TEST(QuatToMatrix4, KnownRotations) {
    double m[16];
    const Tal_Quat id = {0, 0, 0, 1};
    Tal_QuatToMatrix4(&id, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0);
    const double h = std::sin(M_PI / 4);
    const Tal_Quat quarterZ = {0, 0, h, std::cos(M_PI / 4)};
    Tal_QuatToMatrix4(&quarterZ, m);
    EXPECT_NEAR(m[1], 1, 2 * kEps);  // (1, 0, 0) goes to (0, 1, 0)
    EXPECT_NEAR(m[4], -1, 2 * kEps);
    EXPECT_NEAR(m[0], 0, 2 * kEps);
    EXPECT_EQ(m[10], 1.0);
    const Tal_Quat doubled = {0, 0, 0, 2};  // squared norm 4 scales the rotation by 4
    Tal_QuatToMatrix4(&doubled, m);
    EXPECT_EQ(m[0], 4.0);
    EXPECT_EQ(m[10], 4.0);
    EXPECT_EQ(m[15], 1.0);
}

TEST(Matrix4ToQuat, BranchesByTable) {
    struct Case {
        const char* name;
        double diag[3];
        Tal_Quat expected;
    } cases[] = {
        {"identity by the trace", {1, 1, 1}, {0, 0, 0, 1}},
        {"half turn about x", {1, -1, -1}, {1, 0, 0, 0}},
        {"half turn about y", {-1, 1, -1}, {0, 1, 0, 0}},
        {"half turn about z", {-1, -1, 1}, {0, 0, 1, 0}},
    };
    for (const auto& c : cases) {
        double m[16];
        Tal_IdentityMatrix4(m);
        for (int i = 0; i < 3; ++i)
            m[i * 5] = c.diag[i];
        Tal_Quat q = {9, 9, 9, 9};
        EXPECT_EQ(Tal_Matrix4ToQuat(m, &q), 0);
        EXPECT_EQ(q.x, c.expected.x) << c.name;
        EXPECT_EQ(q.y, c.expected.y) << c.name;
        EXPECT_EQ(q.z, c.expected.z) << c.name;
        EXPECT_EQ(q.w, c.expected.w) << c.name;
    }
}

TEST(Matrix4ToQuat, RoundTripsRandomUnitQuaternionsUpToSign) {
    std::mt19937_64 rng(20240605);
    std::normal_distribution<double> g;
    int negated = 0;
    for (int n = 0; n < 5000; ++n) {
        Tal_Quat q = {g(rng), g(rng), g(rng), g(rng)};
        const double len = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
        q = {q.x / len, q.y / len, q.z / len, q.w / len};
        double m[16];
        Tal_QuatToMatrix4(&q, m);
        Tal_Quat back;
        Tal_Matrix4ToQuat(m, &back);
        const double sign =
            (back.x * q.x + back.y * q.y + back.z * q.z + back.w * q.w) < 0 ? -1 : 1;
        negated += sign < 0;
        ASSERT_NEAR(sign * back.x, q.x, 32 * kEps) << n;
        ASSERT_NEAR(sign * back.y, q.y, 32 * kEps) << n;
        ASSERT_NEAR(sign * back.z, q.z, 32 * kEps) << n;
        ASSERT_NEAR(sign * back.w, q.w, 32 * kEps) << n;
    }
    EXPECT_GT(negated, 0) << "both signs occur: the test exercises both branches";
}

TEST(SetMatrix4CoB, BasisVectorsBecomeColumns) {
    const Tal_Vector4T<double> a = {1, 2, 3, kNaN}, b = {4, 5, 6, kNaN}, c = {7, 8, 9, kNaN};
    double m[16];
    EXPECT_EQ(Tal_SetMatrix4CoB(&a, &b, &c, m), 0);
    const double expected[16] = {1, 4, 7, 0, 2, 5, 8, 0, 3, 6, 9, 0, 0, 0, 0, 1};
    EXPECT_EQ(0, std::memcmp(m, expected, sizeof m)) << "w is never read";
}

TEST(VecToAngle, BearingsByTable) {
    struct Case {
        double x, y, degrees;
    } cases[] = {
        {0, -1, 360}, {1, 0, 90},    {0, 1, 180}, {-1, 0, 270},  {1, -1, 45},
        {0, 0, 90},   {-1, -1, 315}, {1, 1, 135}, {0, -0.0, 90}, {-0.0, 5, 180},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(Tal_VecToAngle({c.x, c.y}), c.degrees, 1e-12) << c.x << ", " << c.y;
    }
    EXPECT_EQ(Tal_VecToAngle({0, -1}), 360.0);
    EXPECT_EQ(Tal_VecToAngle({0, 0}), 90.0);
    EXPECT_TRUE(std::isnan(Tal_VecToAngle({kNaN, 1})));
}

}  // namespace

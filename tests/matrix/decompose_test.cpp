// Decomposition of affine 4x4 matrices, the angle extraction and the 2D correction.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "matrix/rotation_angles.h"
#include "support/reports.h"
#include "tal/matrix.h"

namespace {

using taltest::Msg;
using taltest::TakeReports;

constexpr double kEps = std::numeric_limits<double>::epsilon();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

bool AllZero(const Tal_Matrix4Decomp& d) {
    static const Tal_Matrix4Decomp zero = {};
    return std::memcmp(&d, &zero, sizeof d) == 0;
}

// Rz(z) x Ry(y) x Rx(x) for row vectors, built from the three elementary turns.
void OrderedXYZ(double x, double y, double z, double r[3][3]) {
    const double cx = std::cos(x), sx = std::sin(x), cy = std::cos(y), sy = std::sin(y);
    const double cz = std::cos(z), sz = std::sin(z);
    const double rx[3][3] = {{1, 0, 0}, {0, cx, sx}, {0, -sx, cx}};
    const double ry[3][3] = {{cy, 0, -sy}, {0, 1, 0}, {sy, 0, cy}};
    const double rz[3][3] = {{cz, sz, 0}, {-sz, cz, 0}, {0, 0, 1}};
    double zy[3][3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            zy[i][j] = 0;
            for (int k = 0; k < 3; ++k)
                zy[i][j] += rz[i][k] * ry[k][j];
        }
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r[i][j] = 0;
            for (int k = 0; k < 3; ++k)
                r[i][j] += zy[i][k] * rx[k][j];
        }
    }
}

// Rebuilds the affine matrix: rows are the sheared, scaled rotation rows, then translation.
// A left-handed frame comes back with all scales negative and the rotation rows negated, so
// the shears (which keep their sign) act against the negated rows.
void Recompose(const Tal_Matrix4Decomp& d, bool mirrored, double out[16]) {
    double u[3][3];
    OrderedXYZ(d.rotate.x, d.rotate.y, d.rotate.z, u);
    const double s = mirrored ? -1 : 1;
    const double l[3][3] = {{d.scale.x, 0, 0},
                            {s * d.shear.xy, d.scale.y, 0},
                            {s * d.shear.xz, s * d.shear.yz, d.scale.z}};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            out[i * 4 + j] = 0;
            for (int k = 0; k < 3; ++k)
                out[i * 4 + j] += l[i][k] * u[k][j];
        }
        out[i * 4 + 3] = 0;
    }
    out[12] = d.translate.x;
    out[13] = d.translate.y;
    out[14] = d.translate.z;
    out[15] = 1;
}

TEST(DecomposeMatrix4, KnownMatrices) {
    struct Case {
        const char* name;
        double m[16];
        Tal_Matrix4Decomp expected;
    } cases[] = {
        {"homogeneous scale divides out",
         {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 2, 4, 6, 2},
         {{1, 2, 3}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}}},
        {"shear in length units",
         {2, 0, 0, 0, 2, 3, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
         {{0, 0, 0}, {2, 3, 1}, {2, 0, 0}, {0, 0, 0}}},
        {"mirror is a half turn with negative scales",
         {-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
         {{0, 0, 0}, {-1, -1, -1}, {0, 0, 0}, {M_PI, 0, 0}}},
        {"zero scale leaves its row and succeeds",
         {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 0, 0, 1},
         {{5, 0, 0}, {0, 1, 1}, {0, 0, 0}, {0, 0, 0}}},
    };
    for (const auto& c : cases) {
        Tal_Matrix4Decomp d;
        unsigned char failed = 7;
        EXPECT_EQ(Tal_DecomposeMatrix4(c.m, &d, &failed), 0) << c.name;
        EXPECT_EQ(failed, 7) << "success leaves the flag alone";
        const double* got = &d.translate.x;
        const double* want = &c.expected.translate.x;
        for (int i = 0; i < 12; ++i)
            EXPECT_NEAR(got[i], want[i], 4 * kEps) << c.name << " " << i;
    }
}

TEST(DecomposeMatrix4, FailuresLeaveZerosAndReportOnlyWithoutAFlag) {
    struct Case {
        const char* name;
        int index;
        double value;
    } cases[] = {
        {"m[3][3] is zero", 15, 0.0},         {"m[3][3] is negative zero", 15, -0.0},
        {"tiny perspective term", 3, 1e-300}, {"perspective in row 2", 11, -1},
        {"NaN perspective term", 7, kNaN},
    };
    for (const auto& c : cases) {
        double m[16];
        Tal_IdentityMatrix4(m);
        m[12] = 3;
        m[c.index] = c.value;
        Tal_Matrix4Decomp d;
        std::memset(&d, 0xFF, sizeof d);
        unsigned char failed = 0;
        TakeReports();
        EXPECT_EQ(Tal_DecomposeMatrix4(m, &d, &failed), Tal_Err_CANT_DECOMPOSE) << c.name;
        EXPECT_EQ(failed, 1);
        EXPECT_TRUE(AllZero(d)) << c.name;
        EXPECT_TRUE(TakeReports().empty()) << c.name;
        std::memset(&d, 0xFF, sizeof d);
        EXPECT_EQ(Tal_DecomposeMatrix4(m, &d, nullptr), Tal_Err_CANT_DECOMPOSE);
        EXPECT_TRUE(AllZero(d)) << c.name;
        EXPECT_EQ(TakeReports(), std::vector<taltest::Report>{
                                     Msg(Tal_ReportCode(0x2D), "unable to decompose matrix.")});
    }
}

TEST(DecomposeMatrix4, RandomAffineMatricesRecompose) {
    std::mt19937_64 rng(51);
    std::uniform_real_distribution<double> angle(-M_PI, M_PI), tilt(-1.4, 1.4), unit(-1, 1);
    std::uniform_real_distribution<double> size(0.5, 3);
    int mirrors = 0;
    for (int n = 0; n < 5000; ++n) {
        double u[3][3];
        OrderedXYZ(angle(rng), tilt(rng), angle(rng), u);
        const double sx = size(rng), sy = size(rng), sz = size(rng);
        const double l[3][3] = {{sx, 0, 0}, {unit(rng), sy, 0}, {unit(rng), unit(rng), sz}};
        const bool mirror = n % 3 == 0;
        const double w = n % 2 ? 1.0 : 0.5 + size(rng);
        double m[16];
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                double v = 0;
                for (int k = 0; k < 3; ++k)
                    v += l[i][k] * u[k][j];
                m[i * 4 + j] = (mirror && i == 1 ? -v : v) * w;
            }
            m[i * 4 + 3] = 0;
        }
        for (int j = 0; j < 3; ++j)
            m[12 + j] = 100 * unit(rng) * w;
        m[15] = w;

        Tal_Matrix4Decomp d;
        ASSERT_EQ(Tal_DecomposeMatrix4(m, &d, nullptr), 0) << n;
        const bool mirrored = d.scale.x < 0;
        mirrors += mirrored;
        EXPECT_EQ(mirrored, mirror) << n;
        EXPECT_LE(d.rotate.y, M_PI / 2);
        double back[16];
        Recompose(d, mirrored, back);
        for (int i = 0; i < 16; ++i) {
            // Relative to the size of the element; the rotation goes through asin and atan2.
            const double want = m[i] / w;
            ASSERT_NEAR(back[i], want, 64 * kEps * (1 + std::fabs(want))) << n << " " << i;
        }
    }
    EXPECT_GT(mirrors, 1000);
}

TEST(OrderedXYZFromRotation, RecoversAnglesAndHandlesGimbalLock) {
    std::mt19937_64 rng(52);
    std::uniform_real_distribution<double> angle(-3.1, 3.1), tilt(-1.5, 1.5);
    for (int n = 0; n < 2000; ++n) {
        const double x = angle(rng), y = tilt(rng), z = angle(rng);
        double u[3][3], r[16];
        OrderedXYZ(x, y, z, u);
        Tal_IdentityMatrix4(r);
        for (int i = 0; i < 3; ++i)
            std::memcpy(r + i * 4, u[i], sizeof u[i]);
        Tal_Vector3T<double> a;
        Talp_OrderedXYZFromRotation(r, &a);
        ASSERT_NEAR(a.x, x, 1e-12) << n;
        ASSERT_NEAR(a.y, y, 1e-12) << n;
        ASSERT_NEAR(a.z, z, 1e-12) << n;
    }
    // Straight up: x folds into z, and an element past 1 is clamped rather than giving NaN.
    double u[3][3], r[16];
    OrderedXYZ(0.4, M_PI / 2, 0.3, u);
    Tal_IdentityMatrix4(r);
    for (int i = 0; i < 3; ++i)
        std::memcpy(r + i * 4, u[i], sizeof u[i]);
    r[8] = 1 + 4 * kEps;
    Tal_Vector3T<double> a;
    Talp_OrderedXYZFromRotation(r, &a);
    EXPECT_EQ(a.x, 0.0);
    EXPECT_EQ(a.y, M_PI / 2);
    EXPECT_EQ(a.z, std::atan2(r[1], r[5]));
}

TEST(Correct3DDecompFor2D, FoldsHalfTurnsIntoScaleSigns) {
    Tal_Matrix4Decomp d = {{1, 2, 3}, {1, 2, 5}, {0.1, 0.2, 0.3}, {M_PI, 0.1, 0.3}};
    EXPECT_EQ(Tal_Correct3DDecompFor2D(&d), 0);
    EXPECT_EQ(d.scale.x, 1.0);
    EXPECT_EQ(d.scale.y, -2.0);
    EXPECT_EQ(d.scale.z, 1.0);
    EXPECT_EQ(d.rotate.x, 0.0);
    EXPECT_EQ(d.rotate.y, -0.1);
    EXPECT_EQ(d.rotate.z, -0.3);
    EXPECT_EQ(d.translate.z, 3.0);
    EXPECT_EQ(d.shear.yz, 0.3);

    Tal_Matrix4Decomp both = {{0, 0, 0}, {2, 3, 4}, {0, 0, 0}, {-M_PI, M_PI, 0.5}};
    Tal_Correct3DDecompFor2D(&both);
    EXPECT_EQ(both.scale.x, -2.0);
    EXPECT_EQ(both.scale.y, -3.0);
    EXPECT_TRUE(both.rotate.x == 0 && std::signbit(both.rotate.x)) << "-0.0";
    EXPECT_TRUE(both.rotate.y == 0 && !std::signbit(both.rotate.y)) << "+0.0";
    EXPECT_EQ(both.rotate.z, 0.5) << "negated twice";

    Tal_Matrix4Decomp none = {{0, 0, 0}, {2, 3, 4}, {0, 0, 0}, {3.14, 0, 0.5}};
    Tal_Correct3DDecompFor2D(&none);
    EXPECT_EQ(none.scale.y, 3.0);
    EXPECT_EQ(none.rotate.x, 3.14);
    EXPECT_EQ(none.scale.z, 1.0) << "always";
}

}  // namespace

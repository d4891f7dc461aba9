// One layer point to the screen through layer-to-eye, projection and a 2D screen matrix: the
// near-plane boundary, the zero-W failures with their reports, and random points against a
// long double model; the polygon's outline corners agree with the single-point path.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/reports.h"
#include "tal/matrix.h"
#include "tal/poly.h"

namespace {

using taltest::Msg;
using taltest::TakeReports;
typedef Tal_Vector2T<double> V2;

// Eye to screen with W = z.
const Tal_Matrix4 kProjection{{{50, 0, 0, 0}, {0, 50, 0, 0}, {0, 0, 1, 1}, {0, 0, 0, 0}}};
// A y-down screen of 2 pixels per unit, centred at (320, 240).
const Tal_Matrix3 kScreen{{{2, 0, 0}, {0, -2, 0}, {320, 240, 1}}};

Tal_Matrix4 AtDepth(double z) {
    Tal_Matrix4 m;
    m.SetIdentity().Translate(0, 0, z);
    return m;
}

TEST(TransformPoint3DtoScreen, NearPlaneBoundary) {
    const struct {
        double depth;
        bool mapped;
    } cases[] = {{0.05, false}, {std::nextafter(0.1, 0.0), false}, {0.1, true}, {2, true}};
    for (const auto& c : cases) {
        V2 p{1, 0.5};
        EXPECT_EQ(Tal_TransformPoint3DtoScreen(AtDepth(c.depth), kProjection, kScreen, &p),
                  c.mapped)
            << c.depth;
        if (c.mapped) {
            EXPECT_DOUBLE_EQ(p.x, 50 * 1 / c.depth * 2 + 320);
            EXPECT_DOUBLE_EQ(p.y, 50 * 0.5 / c.depth * -2 + 240);
        } else {
            EXPECT_TRUE(p.x == 1 && p.y == 0.5) << "a refused point stays";
        }
    }
}

TEST(TransformPoint3DtoScreen, ZeroWIsReportedAndThrownWithThePointUnchanged) {
    Tal_Matrix4 noW = AtDepth(1);
    noW.m[3][3] = 0;  // the eye stage gives W = 0
    Tal_Matrix4 flatProjection = kProjection;
    flatProjection.m[2][3] = 1e-13;  // the projection gives W = z * 1e-13
    const Tal_Matrix4 good = AtDepth(1);
    // The eye stage fails, then a good eye stage with the projection failing.
    const Tal_Matrix4* stages[2][2] = {{&noW, &kProjection}, {&good, &flatProjection}};
    for (const auto& s : stages) {
        TakeReports();
        V2 p{3, 4};
        try {
            Tal_TransformPoint3DtoScreen(*s[0], *s[1], kScreen, &p);
            ADD_FAILURE() << "no throw";
        } catch (long err) {
            EXPECT_EQ(err, Tal_Err_ZERO_W);
        }
        EXPECT_EQ(TakeReports(),
                  std::vector<taltest::Report>{Msg(0x11003B, "homogeneous point has W=0")});
        EXPECT_TRUE(p.x == 3 && p.y == 4);
    }
}

TEST(TransformPoint3DtoScreen, RandomPointsAgainstLongDouble) {
    std::mt19937_64 rng(0x3d5c);
    std::uniform_real_distribution<double> u(-1, 1), depth(0.2, 4);
    int mapped = 0;
    for (int n = 0; n < 3000; ++n) {
        Tal_Matrix4 toEye;
        toEye.SetIdentity().RotateXYZ(u(rng), u(rng), u(rng)).Translate(u(rng), u(rng), depth(rng));
        V2 p{u(rng), u(rng)};
        long double eye[3];
        for (int c = 0; c < 3; ++c)
            eye[c] =
                p.x * (long double)toEye.m[0][c] + p.y * (long double)toEye.m[1][c] + toEye.m[3][c];
        if (std::fabs(eye[2] - 0.1L) < 1e-9L) continue;
        const V2 before = p;
        const bool ok = Tal_TransformPoint3DtoScreen(toEye, kProjection, kScreen, &p);
        ASSERT_EQ(ok, eye[2] >= 0.1L) << n;
        if (!ok) {
            ASSERT_TRUE(p.x == before.x && p.y == before.y);
            continue;
        }
        ++mapped;
        const long double sx = 50 * eye[0] / eye[2] * 2 + 320, sy = 50 * eye[1] / eye[2] * -2 + 240;
        const double tol = 1e-11 * (1 + std::fabs(double(sx)) + std::fabs(double(sy)));
        ASSERT_NEAR(p.x, double(sx), tol) << n;
        ASSERT_NEAR(p.y, double(sy), tol) << n;
    }
    EXPECT_GT(mapped, 2000);
}

TEST(TransformPoint3DtoScreen, AgreesWithTheOutlineOfAPolygonInFront) {
    Tal_Matrix4 toEye, eyeToScreen;
    toEye.SetIdentity().RotateXYZ(0.3, -0.4, 0.2).Translate(0.1, -0.2, 3);
    Tal_Matrix4 screen4;
    Tal_Matrix3ToMatrix4(&kScreen.m[0][0], &screen4.m[0][0]);
    Tal_ConcatMatrix4(&kProjection.m[0][0], &screen4.m[0][0], &eyeToScreen.m[0][0]);
    const V2 layer[4] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    Tal_TransformPoly3D poly;
    for (long i = 0; i < 4; ++i)
        poly.SetLayerPoint(i, layer[i]);
    poly.TransformPointsToEye(toEye);
    poly.TransformPointsToScreen(eyeToScreen);
    poly.InitPolyPoints();
    ASSERT_EQ(poly.NumPolyPoints(), 4);
    for (long i = 0; i < 4; ++i) {
        V2 p = layer[i];
        ASSERT_TRUE(Tal_TransformPoint3DtoScreen(toEye, kProjection, kScreen, &p));
        EXPECT_NEAR(p.x, poly.GetPolyPoints()[i].x, 1e-12 * 512);
        EXPECT_NEAR(p.y, poly.GetPolyPoints()[i].y, 1e-12 * 512);
    }
}

}  // namespace

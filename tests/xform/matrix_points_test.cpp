// The point members of the matrix classes: the W test at its borders, the sites of each member,
// stop-at-first-failure in the arrays, the fast forms, and a two-step model (multiply, divide).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "support/reports.h"
#include "tal/matrix.h"
#include "tal/xform.h"
#include "xform/xform_support.h"

namespace {

using taltest::Msg;
using taltest::Report;
using taltest::TakeReports;
using xformtest::SameBits;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

Report ZeroW(int32_t site) {
    return Msg(0x110000 | site, "homogeneous point has W=0");
}

Tal_Matrix3 Identity3() {
    Tal_Matrix3 a;
    const double v[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::memcpy(a.m, v, sizeof v);
    return a;
}
Tal_Matrix4 Identity4() {
    Tal_Matrix4 a;
    const double v[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::memcpy(a.m, v, sizeof v);
    return a;
}

// Runs f, returning the thrown long (0 when nothing was thrown).
long Thrown(const std::function<void()>& f) {
    try {
        f();
    } catch (long code) {
        return code;
    }
    return 0;
}

// ---- The W test at its borders, through every single-point dividing member -----------------

struct WCase {
    const char* name;
    double w;  // W' of the point (1, 2, 3[, 1]) through an identity whose last diagonal is w
    bool divides;
};

class WBorder : public ::testing::TestWithParam<WCase> {};

TEST_P(WBorder, EachDividingMemberTestsTheOpenBand) {
    const WCase& c = GetParam();
    Tal_Matrix3 a = Identity3();
    a.m[2][2] = c.w;
    Tal_Matrix4 b = Identity4();
    b.m[3][3] = c.w;
    // 3x3 on (1, 2, 1): W' = w.  4x4 on (1, 2, 3, 1): w' = w.
    Tal_Vector3T<double> p3 = {1, 2, 1}, q3 = {1, 2, 3};
    Tal_Vector2T<double> p2 = {1, 2};
    Tal_Vector4T<double> p4 = {1, 2, 3, 1};
    const double r = 1 / c.w;
    struct Member {
        const char* name;
        std::function<void()> call;
        int32_t site;
        std::function<bool()> divided, unchanged;
    } members[] = {
        {"M3 vector3", [&] { a.TransformPointAndDivide(&p3); }, 0x39,
         [&] { return SameBits(p3.x, 1 / c.w) && SameBits(p3.y, 2 / c.w) && p3.z == 1; },
         [&] { return p3.x == 1 && p3.y == 2 && p3.z == 1; }},
        {"M3 vector2", [&] { a.TransformPointAndDivide(&p2); }, 0x39,
         [&] { return SameBits(p2.x, 1 / c.w) && SameBits(p2.y, 2 / c.w); },
         [&] { return p2.x == 1 && p2.y == 2; }},
        {"M4 vector4", [&] { b.TransformPointAndDivide(&p4); }, 0x3B,
         [&] {
             return SameBits(p4.x, 1 * r) && SameBits(p4.y, 2 * r) && SameBits(p4.z, 3 * r) &&
                    p4.w == 1;
         },
         [&] { return p4.x == 1 && p4.y == 2 && p4.z == 3 && p4.w == 1; }},
        {"M4 vector3", [&] { b.TransformPointAndDivide(&q3); }, 0x3B,
         [&] { return SameBits(q3.x, 1 * r) && SameBits(q3.y, 2 * r) && SameBits(q3.z, 3 * r); },
         [&] { return q3.x == 1 && q3.y == 2 && q3.z == 3; }},
    };
    for (const Member& mb : members) {
        TakeReports();
        const long code = Thrown(mb.call);
        if (c.divides) {
            EXPECT_EQ(code, 0) << mb.name;
            EXPECT_TRUE(mb.divided()) << mb.name;
            EXPECT_TRUE(TakeReports().empty()) << mb.name;
        } else {
            EXPECT_EQ(code, long(Tal_Err_ZERO_W)) << mb.name;
            EXPECT_TRUE(mb.unchanged()) << mb.name;
            EXPECT_EQ(TakeReports(), std::vector<Report>{ZeroW(mb.site)}) << mb.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Borders, WBorder,
    ::testing::Values(WCase{"ExactlyPlusBorderDivides", 1e-12, true},
                      WCase{"ExactlyMinusBorderDivides", -1e-12, true},
                      WCase{"JustInsideThrows", std::nextafter(1e-12, 0.0), false},
                      WCase{"JustInsideNegativeThrows", std::nextafter(-1e-12, 0.0), false},
                      WCase{"HalfBorderThrows", 5e-13, false},
                      WCase{"NegativeHalfBorderThrows", -5e-13, false},
                      WCase{"ZeroThrows", 0.0, false}, WCase{"MinusZeroThrows", -0.0, false},
                      WCase{"NaNDivides", kNaN, true}, WCase{"TwoDivides", 2.0, true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Arrays stop at the first failing point --------------------------------------------------

TEST(DividingArrays, StopAtTheFirstFailureReportOnceAtTheirSite) {
    // The middle point maps to W' = 0 (x' = ... , W' = x - 1 with x = 1).
    Tal_Matrix3 a = Identity3();
    a.m[0][2] = 1;
    a.m[2][2] = -1;  // W' = x*1 + W*(-1)
    Tal_Matrix4 b = Identity4();
    b.m[0][3] = 1;
    b.m[3][3] = -1;  // w' = x - w
    struct Case {
        const char* name;
        std::function<void()> call;
        std::function<std::vector<double>()> state;
        std::vector<double> want;
        int32_t site;
    };
    Tal_Vector3T<double> h3[3] = {{3, 4, 1}, {1, 5, 1}, {6, 7, 1}};
    Tal_Vector2T<double> h2[3] = {{3, 4}, {1, 5}, {6, 7}};
    Tal_Vector4T<double> h4[3] = {{3, 4, 5, 1}, {1, 5, 6, 1}, {6, 7, 8, 1}};
    Tal_Vector3T<double> p3[3] = {{3, 4, 5}, {1, 5, 6}, {6, 7, 8}};
    const double r2 = 1 / 2.0;
    Case cases[] = {
        {"M3 vector3",
         [&] { a.TransformPointsAndDivide(3, h3); },
         [&] {
             return std::vector<double>{h3[0].x, h3[0].y, h3[0].z, h3[1].x, h3[1].y,
                                        h3[1].z, h3[2].x, h3[2].y, h3[2].z};
         },
         {1.5, 2, 1, 1, 5, 1, 6, 7, 1},
         0x3A},
        {"M3 vector2",
         [&] { a.TransformPointsAndDivide(3, h2); },
         [&] { return std::vector<double>{h2[0].x, h2[0].y, h2[1].x, h2[1].y, h2[2].x, h2[2].y}; },
         {1.5, 2, 1, 5, 6, 7},
         0x39},
        {"M4 vector4",
         [&] { b.TransformPointsAndDivide(3, h4); },
         [&] {
             return std::vector<double>{h4[0].x, h4[0].y, h4[0].z, h4[0].w, h4[1].x, h4[1].y,
                                        h4[1].z, h4[1].w, h4[2].x, h4[2].y, h4[2].z, h4[2].w};
         },
         {3 * r2, 4 * r2, 5 * r2, 1, 1, 5, 6, 1, 6, 7, 8, 1},
         0x3C},
        {"M4 vector3",
         [&] { b.TransformPointsAndDivide(3, p3); },
         [&] {
             return std::vector<double>{p3[0].x, p3[0].y, p3[0].z, p3[1].x, p3[1].y,
                                        p3[1].z, p3[2].x, p3[2].y, p3[2].z};
         },
         {3 * r2, 4 * r2, 5 * r2, 1, 5, 6, 6, 7, 8},
         0x3B},
    };
    for (const Case& c : cases) {
        TakeReports();
        EXPECT_EQ(Thrown(c.call), long(Tal_Err_ZERO_W)) << c.name;
        EXPECT_EQ(c.state(), c.want) << c.name;
        EXPECT_EQ(TakeReports(), std::vector<Report>{ZeroW(c.site)}) << c.name;
    }
}

// ---- Two-step model: the plain product, then the divide --------------------------------------

TEST(DividingMembers, EqualMultiplyThenDivideOnRandomPoints) {
    xformtest::Rng rng(4242);
    uint64_t golden = 14695981039346656037ull;
    for (int i = 0; i < 3000; ++i) {
        Tal_Matrix3 a;
        Tal_Matrix4 b;
        rng.Fill(a.m, -2, 2);
        rng.Fill(b.m, -2, 2);
        const Tal_Vector3T<double> in3 = {rng.Uniform(-50, 50), rng.Uniform(-50, 50),
                                          rng.Uniform(-2, 2)};
        const Tal_Vector4T<double> in4 = {in3.x, in3.y, in3.z, rng.Uniform(-2, 2)};

        Tal_Vector3T<double> step3 = in3, div3 = in3, fast3 = in3, arr3[2] = {in3, in3};
        a.TransformPoint(&step3);
        if (std::fabs(step3.z) < 1e-12) continue;
        a.TransformPointAndDivide(&div3);
        a.TransformPointAndDivideFast(&fast3);
        a.TransformPointsAndDivide(2, arr3);
        const double want3[3] = {step3.x / step3.z, step3.y / step3.z, 1.0};
        for (const auto& got : {div3, fast3, arr3[0], arr3[1]}) {
            ASSERT_TRUE(SameBits(got.x, want3[0]) && SameBits(got.y, want3[1]) && got.z == 1) << i;
        }

        Tal_Vector4T<double> step4 = in4, div4 = in4, fast4 = in4, arr4[2] = {in4, in4};
        b.TransformPoint(&step4);
        if (std::fabs(step4.w) < 1e-12) continue;
        b.TransformPointAndDivide(&div4);
        b.TransformPointAndDivideFast(&fast4);
        b.TransformPointsAndDivide(2, arr4);
        const double r = 1 / step4.w;
        for (const auto& got : {div4, fast4, arr4[0], arr4[1]}) {
            ASSERT_TRUE(SameBits(got.x, step4.x * r) && SameBits(got.y, step4.y * r) &&
                        SameBits(got.z, step4.z * r) && got.w == 1)
                << i;
        }
        // The 3D form is the 4D form on w = 1, with and without the divide.
        Tal_Vector3T<double> d3 = {in4.x, in4.y, in4.z}, u3 = d3;
        Tal_Vector4T<double> d4 = {in4.x, in4.y, in4.z, 1.0}, u4 = d4;
        b.TransformPoint(&u3);
        b.TransformPoint(&u4);
        ASSERT_TRUE(SameBits(u3.x, u4.x) && SameBits(u3.y, u4.y) && SameBits(u3.z, u4.z));
        if (std::fabs(u4.w) >= 1e-12) {
            b.TransformPointAndDivide(&d3);
            b.TransformPointAndDivide(&d4);
            ASSERT_TRUE(SameBits(d3.x, d4.x) && SameBits(d3.y, d4.y) && SameBits(d3.z, d4.z));
        }
        for (double v : {div3.x, div3.y, div4.x, div4.y, div4.z})
            xformtest::Fold(golden, v);
    }
    RecordProperty("golden", std::to_string(golden));
}

// The four-per-pass member and the bulk function agree bit for bit, whatever the remainder.
TEST(PlainMembers, AgreeWithTheBulkFunctionsForEveryRemainder) {
    xformtest::Rng rng(5);
    Tal_Matrix3 a;
    Tal_Matrix4 b;
    rng.Fill(a.m, -3, 3);
    rng.Fill(b.m, -3, 3);
    for (long n = 0; n <= 9; ++n) {
        Tal_Vector2T<double> p[9], q[9];
        Tal_Vector3T<double> v[9], w[9];
        Tal_Vector4T<double> s[9], t[9];
        for (int i = 0; i < 9; ++i) {
            p[i] = q[i] = {rng.Uniform(-9, 9), rng.Uniform(-9, 9)};
            v[i] = w[i] = {rng.Uniform(-9, 9), rng.Uniform(-9, 9), rng.Uniform(-9, 9)};
            s[i] = t[i] = {rng.Uniform(-9, 9), rng.Uniform(-9, 9), rng.Uniform(-9, 9), 1};
        }
        a.TransformPoints(n, p);
        ASSERT_EQ(Tal_TransformFloatPoints(&a.m[0][0], n, q), 0);
        a.TransformPoints(n, v);
        ASSERT_EQ(Tal_TransformVector3(&a.m[0][0], n, w), 0);
        b.TransformPoints(n, s);
        ASSERT_EQ(Tal_TransformVector4NoDivide(&b.m[0][0], n, t), 0);
        EXPECT_EQ(std::memcmp(p, q, sizeof p), 0) << n;
        EXPECT_EQ(std::memcmp(v, w, sizeof v), 0) << n;
        EXPECT_EQ(std::memcmp(s, t, sizeof s), 0) << n;
        Tal_Vector2T<double> one = q[0];
        a.TransformPoint(&one);
        Tal_Vector2T<double> viaArray = q[0];
        a.TransformPoints(1, &viaArray);
        EXPECT_EQ(std::memcmp(&one, &viaArray, sizeof one), 0);
    }
}

// ---- Single cases ------------------------------------------------------------------------------

TEST(PlainMembers, AffineFormIgnoresTheThirdColumnWhileTheDivideUsesIt) {
    Tal_Matrix3 a = Identity3();
    a.m[0][2] = 1;  // W' = x + 1
    Tal_Vector2T<double> p = {3, 8}, q = p;
    a.TransformPoint(&p);
    a.TransformPointAndDivide(&q);
    EXPECT_TRUE(p.x == 3 && p.y == 8);
    EXPECT_TRUE(q.x == 0.75 && q.y == 2);
}

TEST(PlainMembers, DivideLeavesOneInTheHomogeneousComponent) {
    Tal_Vector3T<double> p = {2, 4, 2};
    Identity3().TransformPointAndDivide(&p);
    EXPECT_TRUE(p.x == 1 && p.y == 2 && p.z == 1);
}

TEST(PlainMembers, FourByFourOnThreeComponentsStaysUndivided) {
    Tal_Matrix4 b = Identity4();
    b.m[2][3] = 1;  // w' = z + 1
    b.m[3][0] = 4;
    Tal_Vector3T<double> p = {1, 2, 3};
    b.TransformPoint(&p);
    EXPECT_TRUE(p.x == 5 && p.y == 2 && p.z == 3);
}

TEST(FastMembers, ZeroWGivesInfinitiesSilently) {
    Tal_Matrix3 a = Identity3();
    a.m[2][2] = 0;
    Tal_Matrix4 b = Identity4();
    b.m[3][3] = 0;
    Tal_Vector3T<double> p = {1, 0, 1}, arr3[2] = {{1, 0, 1}, {-1, 2, 5}};
    Tal_Vector4T<double> q = {1, 0, 0, 1}, arr4[1] = {{-2, 0, 0, 7}};
    TakeReports();
    EXPECT_EQ(Thrown([&] {
                  a.TransformPointAndDivideFast(&p);
                  a.TransformPointsAndDivideFast(2, arr3);
                  b.TransformPointAndDivideFast(&q);
                  b.TransformPointsAndDivideFast(1, arr4);
              }),
              0);
    EXPECT_TRUE(std::isinf(p.x) && p.x > 0 && std::isnan(p.y) && p.z == 1);
    EXPECT_TRUE(std::isinf(arr3[1].x) && arr3[1].x < 0 && arr3[1].z == 1);
    EXPECT_TRUE(std::isinf(q.x) && std::isnan(q.y) && q.w == 1);
    EXPECT_TRUE(std::isinf(arr4[0].x) && arr4[0].x < 0);
    EXPECT_TRUE(TakeReports().empty());
}

// ---- Delegating members throw the bulk function's code ---------------------------------------

TEST(DelegatingMembers, ThrowTheReportedCodeAndLeaveTheBulkState) {
    Tal_Matrix3 a = Identity3();
    a.m[2][0] = 32767;
    Tal_Point pts[2] = {{1, -5}, {2, 0}};  // v first: h = -5 maps to 32762, h = 0 overflows
    Tal_FixedPoint fp[1] = {{INT32_MAX, 0}};
    Tal_FixedRect fr = {0, 0, 0x20000, 10};  // right + 32767 units passes 2^31
    Tal_Rect r = {0, 0, 10, 10};
    TakeReports();
    EXPECT_EQ(Thrown([&] { a.TransformPoints(2, pts); }), long(Tal_Err_OVERFLOW));
    EXPECT_EQ(TakeReports(),
              std::vector<Report>{Msg(0x110026, "overflow in point transformation.")});
    EXPECT_TRUE(pts[0].h == 32762 && pts[0].v == 1 && pts[1].h == 0 && pts[1].v == 2);
    EXPECT_EQ(Thrown([&] { a.TransformPoints(1, fp); }), long(Tal_Err_OVERFLOW));
    EXPECT_EQ(Thrown([&] { a.TransformRect(&fr); }), long(Tal_Err_OVERFLOW));
    EXPECT_TRUE(fr.left == 0 && fr.right == 0x20000);
    EXPECT_EQ(TakeReports().size(), 2u);
    unsigned char flag = 9;
    EXPECT_EQ(Thrown([&] { a.TransformRect(&r, nullptr, &flag); }), 0);
    EXPECT_TRUE(r.left == 32766 && r.right == 32766 && flag == 0);
}

TEST(AllArrayMembers, CountsBelowOneTouchNothing) {
    Tal_Matrix3 a = {};
    Tal_Matrix4 b = {};
    for (long n : {0L, -5L}) {
        Tal_Vector2T<double> p2 = {1, 2};
        Tal_Vector3T<double> p3 = {1, 2, 3};
        Tal_Vector4T<double> p4 = {1, 2, 3, 4};
        Tal_Point s = {1, 2};
        Tal_FixedPoint f = {3, 4};
        TakeReports();
        EXPECT_EQ(Thrown([&] {
                      a.TransformPoints(n, &p2);
                      a.TransformPoints(n, &p3);
                      a.TransformPointsAndDivide(n, &p3);
                      a.TransformPointsAndDivide(n, &p2);
                      a.TransformPointsAndDivideFast(n, &p3);
                      a.TransformPoints(n, &s);
                      a.TransformPoints(n, &f);
                      b.TransformPoints(n, &p4);
                      b.TransformPoints(n, &p3);
                      b.TransformPointsAndDivide(n, &p4);
                      b.TransformPointsAndDivide(n, &p3);
                      b.TransformPointsAndDivideFast(n, &p4);
                  }),
                  0);
        EXPECT_TRUE(p2.x == 1 && p2.y == 2 && p3.x == 1 && p3.y == 2 && p3.z == 3);
        EXPECT_TRUE(p4.x == 1 && p4.y == 2 && p4.z == 3 && p4.w == 4);
        EXPECT_TRUE(s.v == 1 && s.h == 2 && f.x == 3 && f.y == 4);
        EXPECT_TRUE(TakeReports().empty());
    }
}

}  // namespace

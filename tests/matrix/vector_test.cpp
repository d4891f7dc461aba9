// Normalize of a four-component direction: results, warnings, and the thrown code.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "support/reports.h"
#include "tal/matrix.h"

namespace {

using taltest::Msg;
using taltest::TakeReports;

const std::string kZero = "cannot normalize zero vector";
const std::string kHomogeneous = "attempt to normalize a homegeneous point";
const int32_t kCode = Tal_ReportCode(0x37);

struct NormalizeCase {
    const char* name;
    Tal_Vector4T<double> in;
    bool throws;
    std::vector<std::string> messages;
};

TEST(Vector4Normalize, ResultsReportsAndThrowsByTable) {
    const NormalizeCase cases[] = {
        {"unit y", {0, 2, 0, 0}, false, {}},
        {"point at origin warns then throws", {0, 0, 0, 1}, true, {kHomogeneous, kZero}},
        {"len2 1e-14 is too short", {1e-7, 0, 0, 0}, true, {kZero}},
        {"len2 exactly 1e-12 normalizes", {1e-6, 0, 0, 0}, false, {}},
        {"w just inside the band is a direction", {3, 4, 0, 9e-13}, false, {}},
        {"w at the band edge warns", {3, 4, 0, 1e-12}, false, {kHomogeneous}},
        {"negative w warns", {3, 4, 0, -1e-12}, false, {kHomogeneous}},
        {"NaN w warns", {3, 4, 0, NAN}, false, {kHomogeneous}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TakeReports();
        Tal_Vector4T<double> v = c.in;
        long thrown = 0;
        try {
            v.Normalize();
        } catch (long code) {
            thrown = code;
        }
        std::vector<taltest::Report> expected;
        for (const auto& m : c.messages)
            expected.push_back(Msg(kCode, m));
        EXPECT_EQ(TakeReports(), expected);
        if (c.throws) {
            EXPECT_EQ(thrown, Tal_Err_ZERO_VECTOR);
            EXPECT_EQ(0, std::memcmp(&v, &c.in, sizeof v)) << "left unchanged";
            continue;
        }
        EXPECT_EQ(thrown, 0);
        const double len2 = (v.y * v.y + v.x * v.x) + v.z * v.z;
        EXPECT_NEAR(len2, 1.0, 4e-16);
        EXPECT_EQ(0, std::memcmp(&v.w, &c.in.w, sizeof v.w)) << "w untouched";
    }
}

TEST(Vector4Normalize, ScalesByTheReciprocalLength) {
    Tal_Vector4T<double> v = {0, 2, 0, 0};
    v.Normalize();
    EXPECT_EQ(v.x, 0.0);
    EXPECT_EQ(v.y, 1.0);
    EXPECT_EQ(v.z, 0.0);
    Tal_Vector4T<double> u = {3, 4, 12, 0};  // length 13: each component is c * (1/13)
    u.Normalize();
    EXPECT_EQ(u.x, 3 * (1 / 13.0));
    EXPECT_EQ(u.z, 12 * (1 / 13.0));
}

TEST(MatrixStorage, PointsAreRowVectorsWithTranslationInTheLastRow) {
    Tal_Matrix3 m;
    Tal_SetIdentityMatrix(&m.m[0][0]);
    m.m[2][0] = 5;
    m.m[2][1] = 7;
    const double x = 1, y = 1;
    EXPECT_EQ(x * m.m[0][0] + y * m.m[1][0] + m.m[2][0], 6.0);
    EXPECT_EQ(x * m.m[0][1] + y * m.m[1][1] + m.m[2][1], 8.0);
    EXPECT_EQ(&m.m[2][1], &m.m[0][0] + 7);
}

}  // namespace

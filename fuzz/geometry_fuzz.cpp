// Geometry on arbitrary doubles (NaN and infinities included): point in polygon, line clipping,
// distances, inversions, decomposition and the transform polygon's typical request. Nothing may
// crash, trip a sanitizer or leak; the invariants checked are those every input must keep.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>

#include "input.h"
#include "tal/geometry.h"
#include "tal/host.h"
#include "tal/matrix.h"
#include "tal/poly.h"
#include "tal/rect.h"

namespace {

using V2 = Tal_Vector2T<double>;

bool Finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

template <typename T>
void CheckInPoly(talfuzz::Input& in) {
    const long count = long(in.Take<uint8_t>() % 13) - 1;  // -1 exercises the empty outline
    T vertices[12];
    for (auto& v : vertices)
        v = T{in.Take<decltype(v.x)>(), in.Take<decltype(v.y)>()};
    const T point{in.Take<decltype(T::x)>(), in.Take<decltype(T::y)>()};
    const double tolerance = in.Take<double>();
    unsigned char inside = 9;
    TALFUZZ_REQUIRE(Tal_IsFloatPointInConcavePoly(&point, vertices, count, tolerance, &inside) ==
                    0);
    TALFUZZ_REQUIRE(inside <= 1);
    if (count < 1) TALFUZZ_REQUIRE(inside == 0);
}

bool Inside(const Tal_FloatRect& r, const V2& p) {
    return r.left <= p.x && p.x <= r.right && r.top <= p.y && p.y <= r.bottom;
}

void CheckClip2D(talfuzz::Input& in) {
    const Tal_FloatRect rect{in.Take<double>(), in.Take<double>(), in.Take<double>(),
                             in.Take<double>()};
    const V2 a{in.Take<double>(), in.Take<double>()}, b{in.Take<double>(), in.Take<double>()};
    V2 p0 = a, p1 = b;
    unsigned char visible = 9;
    TALFUZZ_REQUIRE(Tal_ClipLine2Rect(&rect, &p0, &p1, &visible) == 0 && visible <= 1);
    if (!visible) return;
    // Clipping in y can carry an end back out in x when the other end is outside too, so only
    // one end is sure to be inside; an end already inside stays where it was.
    TALFUZZ_REQUIRE(Inside(rect, p0) || Inside(rect, p1));
    if (Inside(rect, a)) TALFUZZ_REQUIRE(std::memcmp(&a, &p0, sizeof a) == 0);
    if (Inside(rect, b)) TALFUZZ_REQUIRE(std::memcmp(&b, &p1, sizeof b) == 0);
}

void CheckClip3DAndDistance(talfuzz::Input& in) {
    double a[3], b[3], clipped[3];
    for (double& v : a)
        v = in.Take<double>();
    for (double& v : b)
        v = in.Take<double>();
    unsigned char aBehind = 9, bBehind = 9;
    TALFUZZ_REQUIRE(Tal_Clip3DLine(a, b, &aBehind, &bBehind, clipped) == 0);
    TALFUZZ_REQUIRE(aBehind <= 1 && bBehind <= 1);
    if (aBehind == bBehind) TALFUZZ_REQUIRE(clipped[0] == 0 && clipped[1] == 0 && clipped[2] == 0);
    if (aBehind != bBehind && Finite({clipped[2]}) && std::fabs(a[2] - b[2]) < 1e300)
        TALFUZZ_REQUIRE(std::fabs(clipped[2] - Tal_NearPlaneZ) <=
                        1e-12 * std::max({1.0, std::fabs(a[2]), std::fabs(b[2])}));

    const V2 point{a[0], a[1]}, start{a[2], b[0]}, end{b[1], b[2]};
    unsigned char within = 9;
    double distance = -1;
    TALFUZZ_REQUIRE(Tal_PerpDistTo2DLine(&point, &start, &end, &within, &distance) == 0);
    TALFUZZ_REQUIRE(within <= 1 && !(distance < 0));
}

template <typename M>
M TakeMatrix(talfuzz::Input& in) {
    M m;
    for (auto& row : m.m)
        for (double& v : row)
            v = in.Take<double>();
    return m;
}

// The member inversions leave the matrix unchanged whenever they fail.
template <typename M>
void CheckMemberInvert(const M& src) {
    M quiet = src;
    if (quiet.InvertQuiet()) TALFUZZ_REQUIRE(std::memcmp(&quiet, &src, sizeof src) == 0);
    M loud = src;
    try {
        loud.Invert();
    } catch (long) {
        TALFUZZ_REQUIRE(std::memcmp(&loud, &src, sizeof src) == 0);
    }
}

void CheckInversions(talfuzz::Input& in) {
    const Tal_Matrix3 m3 = TakeMatrix<Tal_Matrix3>(in);
    const Tal_Matrix4 m4 = TakeMatrix<Tal_Matrix4>(in);
    double dst[16];
    unsigned char failed = 9;
    Tal_Err err = Tal_InverseMatrixQuiet(&m3.m[0][0], dst, &failed);
    TALFUZZ_REQUIRE((err == 0) == (failed == 0) && failed <= 1);
    TALFUZZ_REQUIRE(Tal_InverseMatrix(&m3.m[0][0], dst) == err);
    err = Tal_InverseMatrix4Quiet(&m4.m[0][0], dst, &failed);
    TALFUZZ_REQUIRE((err == 0) == (failed == 0) && failed <= 1);
    TALFUZZ_REQUIRE(Tal_InverseMatrix4(&m4.m[0][0], dst) == err);
    TALFUZZ_REQUIRE(Tal_CalcNormalMatrix4Quiet(&m4.m[0][0], dst, &failed) == err);
    double det = 0;
    TALFUZZ_REQUIRE(Tal_GetMatrix4Determinant(&m4.m[0][0], &det) == 0);
    CheckMemberInvert(m3);
    CheckMemberInvert(m4);

    Tal_Matrix4Decomp d;
    failed = 0;
    if (Tal_DecomposeMatrix4(&m4.m[0][0], &d, &failed) != 0) {
        const Tal_Matrix4Decomp zero{};
        TALFUZZ_REQUIRE(failed == 1 && std::memcmp(&d, &zero, sizeof d) == 0);
    } else {
        TALFUZZ_REQUIRE(Tal_Correct3DDecompFor2D(&d) == 0);
    }
    try {
        m4.Decompose(&d);
    } catch (long) {
    }
}

// The typical request: corners to eye space, clipped and projected, outline built and hit-tested;
// bit 0 of the flags makes the outline's allocation fail.
void CheckTransformPoly3D(talfuzz::Input& in) {
    const uint8_t flags = in.Take<uint8_t>();
    const int32_t liveBefore = Bas_LiveTrackedCount();
    {
        Tal_TransformPoly3D poly;
        for (long i = 0; i < 4; ++i)
            poly.SetLayerPoint(i, V2{in.Take<double>(), in.Take<double>()});
        const Tal_Matrix4 toEye = TakeMatrix<Tal_Matrix4>(in);
        const Tal_Matrix4 projection = TakeMatrix<Tal_Matrix4>(in);
        const V2 point{in.Take<double>(), in.Take<double>()};
        const double tolerance = in.Take<double>();
        try {
            poly.TransformPointsToEye(toEye);
            poly.TransformPointsToScreen(projection);
            if (flags & 1) Bas_FailNextTrackedAllocations(1);
            poly.InitPolyPoints();
            TALFUZZ_REQUIRE(!(flags & 1));
            TALFUZZ_REQUIRE(poly.NumPolyPoints() >= 0 && poly.NumPolyPoints() <= 8);
            if (!poly.IsVisible()) TALFUZZ_REQUIRE(poly.NumPolyPoints() == 0);
            const bool inside = poly.IsPointInside(&point, tolerance);
            const double distance = poly.GetMinimumEdgeDistance(&point);
            if (poly.NumPolyPoints() == 0) TALFUZZ_REQUIRE(!inside);
            TALFUZZ_REQUIRE(!(distance < 0) || distance == -1.0);
            Tal_TransformPoly3D copy(poly);
            copy = poly;
            TALFUZZ_REQUIRE(copy.NumPolyPoints() == poly.NumPolyPoints());
        } catch (long) {
        } catch (const std::exception&) {
        }
        Bas_FailNextTrackedAllocations(0);
    }
    TALFUZZ_REQUIRE(Bas_LiveTrackedCount() == liveBefore);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    talfuzz::Input in(data, size);
    switch (in.Take<uint8_t>() % 6) {
        case 0:
            CheckInPoly<Tal_Vector2T<double>>(in);
            break;
        case 1:
            CheckInPoly<Tal_Vector2T<float>>(in);
            break;
        case 2:
            CheckClip2D(in);
            break;
        case 3:
            CheckClip3DAndDistance(in);
            break;
        case 4:
            CheckInversions(in);
            break;
        default:
            CheckTransformPoly3D(in);
            break;
    }
    Bas_ClearRecordedReports();
    return 0;
}

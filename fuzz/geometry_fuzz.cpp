// Geometry on arbitrary doubles (NaN and infinities included): point in polygon, line clipping,
// distances, inversions, decomposition and the transform polygon's typical request. Nothing may
// crash, trip a sanitizer or leak; the invariants checked are those every input must keep.
#include <cmath>
#include <cstring>
#include <exception>

#include "input.h"
#include "tal/base_testing.h"
#include "tal/geometry.h"
#include "tal/matrix.h"
#include "tal/poly.h"
#include "tal/rect.h"

namespace {

using V2 = Tal_Vector2T<double>;

template <typename T>
void CheckInPoly(talfuzz::Input& in) {
    const long count = long(in.Take<uint8_t>() % 13) - 1;  // -1 exercises the empty outline
    T vertices[12];
    for (auto& v : vertices)
        v = T{in.Take<decltype(v.x)>(), in.Take<decltype(v.y)>()};
    const T point{in.Take<decltype(T::x)>(), in.Take<decltype(T::y)>()};
    unsigned char inside = 9;
    TALFUZZ_REQUIRE(
        Tal_IsFloatPointInConcavePoly(&point, vertices, count, in.Take<double>(), &inside) == 0);
    TALFUZZ_REQUIRE(inside <= 1 && (count >= 1 || inside == 0));
}

bool Inside(const Tal_FloatRect& r, const V2& p) {
    return r.left <= p.x && p.x <= r.right && r.top <= p.y && p.y <= r.bottom;
}

// Clipping in y can carry an end back out in x when the other end is outside too, so only one
// end is sure to be inside; an end already inside stays where it was.
void CheckClips(talfuzz::Input& in) {
    const Tal_FloatRect rect{in.Take<double>(), in.Take<double>(), in.Take<double>(),
                             in.Take<double>()};
    const V2 a{in.Take<double>(), in.Take<double>()}, b{in.Take<double>(), in.Take<double>()};
    V2 p0 = a, p1 = b;
    unsigned char visible = 9, aBehind = 9, bBehind = 9, within = 9;
    TALFUZZ_REQUIRE(Tal_ClipLine2Rect(&rect, &p0, &p1, &visible) == 0 && visible <= 1);
    if (visible) TALFUZZ_REQUIRE(Inside(rect, p0) || Inside(rect, p1));
    if (visible && Inside(rect, a)) TALFUZZ_REQUIRE(std::memcmp(&a, &p0, sizeof a) == 0);
    if (visible && Inside(rect, b)) TALFUZZ_REQUIRE(std::memcmp(&b, &p1, sizeof b) == 0);
    // A segment with both ends on one side of the near plane leaves the clip point at zero.
    const double a3[3] = {a.x, a.y, rect.left}, b3[3] = {b.x, b.y, rect.right};
    double clipped[3], distance = -1;
    TALFUZZ_REQUIRE(Tal_Clip3DLine(a3, b3, &aBehind, &bBehind, clipped) == 0 && aBehind <= 1 &&
                    bBehind <= 1);
    if (aBehind == bBehind) TALFUZZ_REQUIRE(clipped[0] == 0 && clipped[1] == 0 && clipped[2] == 0);
    TALFUZZ_REQUIRE(Tal_PerpDistTo2DLine(&a, &b, &p0, &within, &distance) == 0);
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

// Quiet and reporting forms fail together; a failed member inversion leaves the matrix unchanged.
template <typename M>
void CheckInversion(const M& src, Tal_Err (*quiet)(const double*, double*, unsigned char*),
                    Tal_Err (*loud)(const double*, double*)) {
    double dst[16];
    unsigned char failed = 9;
    const Tal_Err err = quiet(&src.m[0][0], dst, &failed);
    TALFUZZ_REQUIRE((err == 0) == (failed == 0) && failed <= 1 && loud(&src.m[0][0], dst) == err);
    M copy = src;
    if (copy.InvertQuiet()) TALFUZZ_REQUIRE(std::memcmp(&copy, &src, sizeof src) == 0);
}

void CheckMatrices(talfuzz::Input& in) {
    const Tal_Matrix4 m4 = TakeMatrix<Tal_Matrix4>(in);
    CheckInversion(TakeMatrix<Tal_Matrix3>(in), Tal_InverseMatrixQuiet, Tal_InverseMatrix);
    CheckInversion(m4, Tal_InverseMatrix4Quiet, Tal_InverseMatrix4);
    Tal_Matrix4Decomp d;
    unsigned char failed = 0;
    if (Tal_DecomposeMatrix4(&m4.m[0][0], &d, &failed) != 0) {
        const Tal_Matrix4Decomp zero{};
        TALFUZZ_REQUIRE(failed == 1 && std::memcmp(&d, &zero, sizeof d) == 0);
    } else {
        TALFUZZ_REQUIRE(Tal_Correct3DDecompFor2D(&d) == 0);
    }
}

// The typical request: corners to eye space, clipped and projected, outline built and hit-tested;
// bit 0 of the flags makes the outline's allocation fail.
void CheckTransformPoly3D(talfuzz::Input& in) {
    const uint8_t flags = in.Take<uint8_t>();
    const int32_t liveBefore = Bas_LiveTrackedCount();
    try {
        Tal_TransformPoly3D poly;
        for (long i = 0; i < 4; ++i)
            poly.SetLayerPoint(i, V2{in.Take<double>(), in.Take<double>()});
        poly.TransformPointsToEye(TakeMatrix<Tal_Matrix4>(in));
        poly.TransformPointsToScreen(TakeMatrix<Tal_Matrix4>(in));
        if (flags & 1) Bas_FailNextTrackedAllocations(1);
        poly.InitPolyPoints();
        TALFUZZ_REQUIRE(!(flags & 1) && poly.NumPolyPoints() >= 0 && poly.NumPolyPoints() <= 8);
        if (!poly.IsVisible()) TALFUZZ_REQUIRE(poly.NumPolyPoints() == 0);
        const V2 point{in.Take<double>(), in.Take<double>()};
        const bool inside = poly.IsPointInside(&point, in.Take<double>());
        const double distance = poly.GetMinimumEdgeDistance(&point);
        TALFUZZ_REQUIRE((poly.NumPolyPoints() > 0 || !inside) &&
                        (!(distance < 0) || distance == -1.0));
        Tal_TransformPoly3D copy(poly);
        copy = poly;
        TALFUZZ_REQUIRE(copy.NumPolyPoints() == poly.NumPolyPoints());
    } catch (long) {
    } catch (const std::exception&) {
    }
    Bas_FailNextTrackedAllocations(0);
    TALFUZZ_REQUIRE(Bas_LiveTrackedCount() == liveBefore);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    talfuzz::Input in(data, size);
    const uint8_t which = in.Take<uint8_t>() % 5;
    if (which == 0) CheckInPoly<Tal_Vector2T<double>>(in);
    if (which == 1) CheckInPoly<Tal_Vector2T<float>>(in);
    if (which == 2) CheckClips(in);
    if (which == 3) CheckMatrices(in);
    if (which == 4) CheckTransformPoly3D(in);
    Bas_ClearRecordedReports();
    return 0;
}

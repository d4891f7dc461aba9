// Point in polygon and the transform polygon's typical request on arbitrary doubles (NaN and
// infinities included): nothing may crash, trip a sanitizer or leak.
#include <exception>

#include "input.h"
#include "tal/host.h"
#include "tal/poly.h"

namespace {

using V2 = Tal_Vector2T<double>;

template <typename T>
void CheckInPoly(talfuzz::Input& in) {
    const long count = long(in.Take<uint8_t>() % 13) - 1;  // -1 exercises the empty outline
    T vertices[13];
    for (auto& v : vertices)
        v = T{in.Take<decltype(v.x)>(), in.Take<decltype(v.y)>()};
    unsigned char inside = 9;
    const double tolerance = in.Take<double>();
    TALFUZZ_REQUIRE(
        Tal_IsFloatPointInConcavePoly(&vertices[12], vertices, count, tolerance, &inside) == 0);
    TALFUZZ_REQUIRE(inside <= 1 && (count >= 1 || inside == 0));
}

Tal_Matrix4 TakeMatrix(talfuzz::Input& in) {
    Tal_Matrix4 m;
    for (auto& row : m.m)
        for (double& v : row)
            v = in.Take<double>();
    return m;
}

// Corners to eye space, clipped, projected, outlined and hit-tested; bit 0 of the flags makes the
// outline's allocation fail.
void CheckTransformPoly3D(talfuzz::Input& in) {
    const uint8_t flags = in.Take<uint8_t>();
    const int32_t liveBefore = Bas_LiveTrackedCount();
    try {
        Tal_TransformPoly3D poly;
        for (long i = 0; i < 4; ++i)
            poly.SetLayerPoint(i, V2{in.Take<double>(), in.Take<double>()});
        poly.TransformPointsToEye(TakeMatrix(in));
        poly.TransformPointsToScreen(TakeMatrix(in));
        if (flags & 1) Bas_FailNextTrackedAllocations(1);
        poly.InitPolyPoints();
        TALFUZZ_REQUIRE(!(flags & 1) && poly.NumPolyPoints() >= 0 && poly.NumPolyPoints() <= 8);
        if (!poly.IsVisible()) TALFUZZ_REQUIRE(poly.NumPolyPoints() == 0);
        const V2 point{in.Take<double>(), in.Take<double>()};
        TALFUZZ_REQUIRE(poly.NumPolyPoints() > 0 || !poly.IsPointInside(&point, in.Take<double>()));
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
    talfuzz::Input in{data, size};
    void (*const checks[])(talfuzz::Input&) = {CheckInPoly<V2>, CheckInPoly<Tal_Vector2T<float>>,
                                               CheckTransformPoly3D};
    checks[in.Take<uint8_t>() % 3](in);
    Bas_ClearRecordedReports();
    return 0;
}

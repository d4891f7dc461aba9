// Polygons: point-in-polygon tests of concave outlines, a layer through a 2D transform, areas.
#include <cstdio>

#include "tal/poly.h"

//! [poly]
int main() {
    // An L-shaped, concave outline; (3, 3) lies in its notch, outside.
    const Tal_Vector2T<double> l_shape[6] = {{0, 0}, {4, 0}, {4, 2}, {2, 2}, {2, 4}, {0, 4}};
    const Tal_Vector2T<double> in_arm = {1, 3}, in_notch = {3, 3}, near_edge = {3, 2.05};
    unsigned char inside = 0;
    Tal_IsFloatPointInConcavePoly(&in_arm, l_shape, 6, 0.0, &inside);
    std::printf("(1, 3): %d", inside);
    Tal_IsFloatPointInConcavePoly(&in_notch, l_shape, 6, 0.0, &inside);
    std::printf(", (3, 3): %d", inside);
    Tal_IsFloatPointInConcavePoly(&near_edge, l_shape, 6, 0.1, &inside);  // within the band
    std::printf(", (3, 2.05) with tolerance 0.1: %d\n", inside);
    std::printf("area %g\n", Tal_SignedPolygonArea2D(l_shape, 6));

    // A 100 x 50 layer scaled by 2 and moved to (10, 10): hit tests in screen space.
    Tal_TransformPoly2D layer;
    const Tal_Vector2T<double> corners[4] = {{0, 0}, {100, 0}, {100, 50}, {0, 50}};
    for (long i = 0; i < 4; ++i)
        layer.SetLayerPoint(i, corners[i]);
    layer.TransformPoints(Tal_Matrix3().SetIdentity().Scale(2, 2).Translate(10, 10));
    const Tal_Vector2T<double> pointer = {215, 60};
    std::printf("pointer inside: %d, %g from the nearest edge\n", layer.IsPointInside(&pointer, 0),
                layer.GetMinimumEdgeDistance(&pointer));
    return 0;
}
//! [poly]

//! [output]
// > (1, 3): 1, (3, 3): 0, (3, 2.05) with tolerance 0.1: 1
// > area 12
// > pointer inside: 0, 5 from the nearest edge
//! [output]

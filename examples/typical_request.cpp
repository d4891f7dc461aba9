// The typical request: a layer placed in 3D, seen by a camera, clipped at the near plane,
// outlined on the screen and hit-tested there.
#include <cstdio>

#include "tal/matrix.h"
#include "tal/poly.h"

//! [request]
// One camera position: the layer centre `depth` units in front of the eye.
void Look(double depth) {
    // Layer pixels to eye space: centred, 400 pixels a unit, turned 60 degrees about y and
    // tilted 20 degrees about x (radians for 4x4 steps), then pushed away from the eye.
    Tal_Matrix4 toEye;
    toEye.SetIdentity().Translate(-200, -150, 0).Scale(0.0025, 0.0025, 0.0025);
    toEye.RotateXYZ(0.35, 1.05, 0).Translate(0, 0, depth);
    // Eye space to an 800 x 600 screen: divide by z / 400, then move to the view centre.
    Tal_Matrix4 toScreen;
    toScreen.SetIdentity().Project(400);
    toScreen *= Tal_Matrix3().SetIdentity().Translate(400, 300);

    Tal_TransformPoly3D layer;
    const Tal_Vector2T<double> corners[4] = {{0, 0}, {400, 0}, {400, 300}, {0, 300}};
    for (long i = 0; i < 4; ++i)
        layer.SetLayerPoint(i, corners[i]);
    layer.TransformPointsToEye(toEye);
    layer.TransformPointsToScreen(toScreen);  // clips each edge at z = 0.1
    layer.InitPolyPoints();                   // the clipped outline

    int behind = 0;
    for (long i = 0; i < 4; ++i) {
        Tal_Vector2T<double> corner;
        behind += !layer.GetPoint(i, &corner);  // refused: behind the near plane
    }
    const Tal_Vector2T<double> centre = {400, 300}, pointer = {700, 100};
    std::printf("depth %.2f: %d corners behind, visible %d, outline of %ld points, area %.0f\n",
                depth, behind, layer.IsVisible(), layer.NumPolyPoints(),
                Tal_SignedPolygonArea2D(layer.GetPolyPoints(), layer.NumPolyPoints()));
    std::printf("  screen centre inside %d, pointer inside %d, %.1f pixels from an edge\n",
                layer.IsPointInside(&centre, 0), layer.IsPointInside(&pointer, 4.0),
                layer.GetMinimumEdgeDistance(&pointer));
}

int main() {
    Look(2.0);   // the whole layer in front of the camera
    Look(0.55);  // one corner behind the near plane: the outline is cut
    Look(-0.8);  // the camera has passed the layer
    return 0;
}
//! [request]

//! [output]
// > depth 2.00: 0 corners behind, visible 1, outline of 4 points, area 15407
// >   screen centre inside 1, pointer inside 0, 273.3 pixels from an edge
// > depth 0.55: 1 corners behind, visible 1, outline of 5 points, area 1076626
// >   screen centre inside 1, pointer inside 1, 289.6 pixels from an edge
// > depth -0.80: 4 corners behind, visible 0, outline of 0 points, area 0
// >   screen centre inside 0, pointer inside 0, -1.0 pixels from an edge
//! [output]

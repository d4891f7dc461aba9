// Bulk transformation: arrays of points and rectangles through one matrix, in place.
#include <cstdio>

#include "tal/matrix.h"
#include "tal/xform.h"

//! [xform]
int main() {
    // Scale by 2 and move by (5, 5): affine, so rectangles stay exact.
    Tal_Matrix3 m;
    m.SetIdentity().Scale(2, 2).Translate(5, 5);
    Tal_Vector2T<double> points[3] = {{0, 0}, {1, 0}, {0.25, 0.5}};
    Tal_TransformFloatPoints(&m.m[0][0], 3, points);
    std::printf("(%g, %g) (%g, %g) (%g, %g)\n", points[0].x, points[0].y, points[1].x, points[1].y,
                points[2].x, points[2].y);

    Tal_FloatRect r = {0, 0, 10, 20};
    unsigned char inexact = 0;
    Tal_TransformFloatRect(&m.m[0][0], &r, nullptr, &inexact);
    std::printf("scaled rect (%g, %g, %g, %g), bounding box only: %d\n", r.left, r.top, r.right,
                r.bottom, inexact);

    // Turned by 45 degrees: the result is the bounding box of the turned corners.
    Tal_Matrix3 turn;
    turn.SetIdentity().Rotate(45);
    Tal_Rect pixels = {0, 0, 10, 10};  // top, left, bottom, right
    Tal_TransformRect(&turn.m[0][0], &pixels, nullptr, &inexact);
    std::printf("turned rect: top %d left %d bottom %d right %d, bounding box only: %d\n",
                pixels.top, pixels.left, pixels.bottom, pixels.right, inexact);
    return 0;
}
//! [xform]

//! [output]
// > (5, 5) (7, 5) (5.5, 6)
// > scaled rect (5, 5, 25, 45), bounding box only: 0
// > turned rect: top 0 left -7 bottom 14 right 7, bounding box only: 1
//! [output]

// Planes, rays, lines and clipping, in the eye space where the near plane is z = 0.1.
#include <cstdio>

#include "tal/base.h"
#include "tal/geometry.h"
#include "tal/rect.h"

void PrintReport(int32_t code, int32_t, int32_t, const char* text, void*) {
    std::printf("report 0x%06x: %s\n", unsigned(code), text);
}

//! [geometry]
int main() {
    Bas_SetReportSink(PrintReport, nullptr);
    // A segment from behind the eye (z = -1) to in front of it (z = 1) is cut at z = 0.1.
    const double a[3] = {0, 0, -1}, b[3] = {2, 0, 1};
    unsigned char aBehind = 0, bBehind = 0;
    double cut[3];
    Tal_Clip3DLine(a, b, &aBehind, &bBehind, cut);
    std::printf("a behind %d, b behind %d, cut at (%g, %g, %g)\n", aBehind, bBehind, cut[0], cut[1],
                cut[2]);

    // The plane z = 2 met by a ray along +z, and by one along +x (parallel: rejected, reported).
    double plane[4];
    const double point[3] = {0, 0, 2}, normal[3] = {0, 0, 1};
    Tal_GetPlaneEquation2(point, normal, plane);
    const double along_z[8] = {1, 1, 0, 1, 0, 0, 1, 0}, along_x[8] = {0, 0, 0, 1, 1, 0, 0, 0};
    double hit[3];
    Tal_RayIntersectPlane(plane, 1, along_z, hit, nullptr, nullptr);
    std::printf("hit at (%g, %g, %g)\n", hit[0], hit[1], hit[2]);
    const Tal_Err err = Tal_RayIntersectPlane(plane, 1, along_x, hit, nullptr, nullptr);
    std::printf("parallel ray: 0x%x\n", unsigned(err));

    // Distance of a pointer from an edge, and whether its foot lies on the edge.
    const Tal_Vector2T<double> pointer = {3, 4}, from = {0, 0}, to = {10, 0};
    unsigned char within = 0;
    double distance = 0;
    Tal_PerpDistTo2DLine(&pointer, &from, &to, &within, &distance);
    std::printf("distance %g, foot on the edge %d\n", distance, within);

    // A 2D segment clipped to a closed rectangle.
    const Tal_FloatRect view = {0, 0, 100, 100};
    Tal_Vector2T<double> p0 = {-50, 50}, p1 = {150, 50};
    unsigned char visible = 0;
    Tal_ClipLine2Rect(&view, &p0, &p1, &visible);
    std::printf("visible %d from (%g, %g) to (%g, %g)\n", visible, p0.x, p0.y, p1.x, p1.y);
    return 0;
}
//! [geometry]

//! [output]
// > a behind 1, b behind 0, cut at (1.1, 0, 0.1)
// > hit at (1, 1, 2)
// > report 0x11002f: unable to intersect plane.
// > parallel ray: 0x110a
// > distance 4, foot on the edge 1
// > visible 1 from (0, 50) to (100, 50)
//! [output]

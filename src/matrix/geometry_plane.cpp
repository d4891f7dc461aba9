// Planes of polygons, ray-plane intersection and the edge-on test of a transformed quadrilateral.
#include <cmath>

#include "matrix/constants.h"
#include "matrix/geometry_vec.h"
#include "matrix/products.h"
#include "tal/frame.h"
#include "tal/geometry.h"

namespace {

constexpr uint16_t Talp_SiteRayIntersectPlane = 0x2F;

// Scales v to unit length unless it is no longer than 1e-12; returns 1/|v|, or 0 when kept.
double Talp_NormalizeUnlessShort(Talp_Vec3& v) {
    const double len = Talp_Length(v);
    if (!(len > Talp_NearZero)) return 0.0;
    const double inv = 1.0 / len;
    v = {v.x * inv, v.y * inv, v.z * inv};
    return inv;
}

}  // namespace

Tal_Err Tal_GetPlaneEquation(const double points[][3], long n, double plane[4]) {
    const double k = 1.0 / double(n);
    Talp_Vec3 normal{0.0, 0.0, 0.0};
    Talp_Vec3 sum{0.0, 0.0, 0.0};
    for (long i = 0; i < n; ++i) {
        const double* p = points[i];
        const double* q = points[i + 1 == n ? 0 : i + 1];
        normal.x += (p[1] - q[1]) * (p[2] + q[2]);
        normal.y += (p[0] + q[0]) * (p[2] - q[2]);
        normal.z += (p[0] - q[0]) * (p[1] + q[1]);
        sum.x += p[0];
        sum.y += p[1];
        sum.z += p[2];
    }
    Talp_NormalizeUnlessShort(normal);
    const double centroid[3] = {sum.x * k, sum.y * k, sum.z * k};
    const double n3[3] = {normal.x, normal.y, normal.z};
    return Tal_GetPlaneEquation2(centroid, n3, plane);
}

Tal_Err Tal_GetPlaneEquation2(const double point[3], const double normal[3], double plane[4]) {
    const double d = -((point[0] * normal[0] + point[1] * normal[1]) + point[2] * normal[2]);
    const double a = normal[0], b = normal[1], c = normal[2];
    plane[0] = a;
    plane[1] = b;
    plane[2] = c;
    plane[3] = d;
    return 0;
}

Tal_Err Tal_RayIntersectPlane(const double plane[4], unsigned char forwardOnly, const double ray[8],
                              double hit[3], unsigned char* behind, unsigned char* hitOk) {
    const double ox = ray[0], oy = ray[1], oz = ray[2];
    const double dx = ray[4], dy = ray[5], dz = ray[6];
    const double a = plane[0], b = plane[1], c = plane[2], d = plane[3];
    const double den = (b * dy + a * dx) + dz * c;
    double t = 0.0;
    bool ok = false;
    if (!Talp_IsNearZero(den)) {
        t = -(((a * ox + d) + b * oy) + c * oz) / den;
        // A hit at the origin itself is not ahead of it.
        ok = forwardOnly == 0 || t > 0;
    }
    if (behind) *behind = t < 0 ? 1 : 0;
    hit[0] = ox + t * dx;
    hit[1] = oy + t * dy;
    hit[2] = oz + t * dz;
    if (hitOk) {
        *hitOk = ok ? 1 : 0;
        return 0;
    }
    return ok ? 0 : Talp_ReportErr(Talp_SiteRayIntersectPlane, Tal_Err_CANT_INTERSECT_PLANE, 0);
}

Tal_Err Tal_IsQuadEdgeOn(const double m[16], const double quad[4][3], double tolerance,
                         unsigned char parallelView, unsigned char* edgeOn) {
    *edgeOn = 0;
    Tal_Vector4T<double> p[4];
    for (int i = 0; i < 4; ++i)
        p[i] = {quad[i][0], quad[i][1], quad[i][2], 1.0};
    Talp_ForEachElement<16, Talp_Apply4Divided>(m, 4, p);

    const double corners[4][3] = {{p[0].x, p[0].y, p[0].z},
                                  {p[1].x, p[1].y, p[1].z},
                                  {p[2].x, p[2].y, p[2].z},
                                  {p[3].x, p[3].y, p[3].z}};
    double plane[4];
    Tal_GetPlaneEquation(corners, 4, plane);
    Talp_Vec3 normal{plane[0], plane[1], plane[2]};
    const double normalInv = Talp_NormalizeUnlessShort(normal);

    // Perspective: the eye sits at the origin, so the view runs to the quad's centre.
    Talp_Vec3 view{0.0, 0.0, 1.0};
    if (!parallelView) {
        view = {((p[0].x + p[1].x) + p[2].x) + p[3].x, ((p[0].y + p[1].y) + p[2].y) + p[3].y,
                ((p[0].z + p[1].z) + p[2].z) + p[3].z};
        view = {view.x * 0.25, view.y * 0.25, view.z * 0.25};
    }
    const double viewLen = Talp_Length(view);
    if (viewLen <= Talp_NearZero) return 0;
    const double viewInv = 1.0 / viewLen;
    if (viewInv == 0.0 || normalInv == 0.0) return 0;
    view = {view.x * viewInv, view.y * viewInv, view.z * viewInv};

    const double cosine = (view.y * normal.y + view.x * normal.x) + view.z * normal.z;
    if (-tolerance < cosine && cosine < tolerance) *edgeOn = 1;
    return 0;
}

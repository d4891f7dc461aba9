// One layer point to the screen through layer-to-eye, projection and a 2D screen transform,
// refused in front of the near plane.
#include "matrix/matrix_members.h"
#include "tal/geometry.h"
#include "tal/matrix.h"
#include "tal/poly.h"

bool Tal_TransformPoint3DtoScreen(const Tal_Matrix4& toEye, const Tal_Matrix4& projection,
                                  const Tal_Matrix3& screen, Tal_Vector2T<double>* point) {
    Tal_Vector3T<double> q{point->x, point->y, 0.0};
    toEye.TransformPointAndDivide(&q);
    if (q.z < Tal_NearPlaneZ) return false;
    Tal_Matrix4 s, l;
    Talp_ThrowIfFailed(Tal_Matrix3ToMatrix4(&screen.m[0][0], &s.m[0][0]));
    Talp_ThrowIfFailed(Tal_ConcatMatrix4(&projection.m[0][0], &s.m[0][0], &l.m[0][0]));
    l.TransformPointAndDivide(&q);
    *point = {q.x, q.y};
    return true;
}

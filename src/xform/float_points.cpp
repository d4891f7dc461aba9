// Arrays of double points and vectors through 3x3 and 4x4 matrices, in place.
#include "tal/xform.h"
#include "xform/products.h"

Tal_Err Tal_TransformFloatPoints(const double m[9], long count, Tal_Vector2T<double>* points) {
    if (count < 1) return 0;
    Talp_ForEachElement<9>(m, count, points, [](const double* k, Tal_Vector2T<double>& p) {
        p = Talp_MapAffine(k, p.x, p.y);
    });
    return 0;
}

Tal_Err Tal_TransformVector3(const double m[9], long count, Tal_Vector3T<double>* v) {
    if (count < 1) return 0;
    Talp_ForEachElement<9>(m, count, v, [](const double* k, Tal_Vector3T<double>& p) {
        p = Talp_Map3(k, p.x, p.y, p.z);
    });
    return 0;
}

Tal_Err Tal_TransformVector4(const double m[16], long count, Tal_Vector4T<double>* v) {
    if (count < 1) return 0;
    Talp_ForEachElement<16>(m, count, v, [](const double* k, Tal_Vector4T<double>& p) {
        const Tal_Vector4T<double> q = Talp_Map4(k, p.x, p.y, p.z, p.w);
        p = Talp_NearZeroW(q.w) ? q : Talp_DivideByW(q);
    });
    return 0;
}

Tal_Err Tal_TransformVector4NoDivide(const double m[16], long count, Tal_Vector4T<double>* v) {
    if (count < 1) return 0;
    Talp_ForEachElement<16>(m, count, v, [](const double* k, Tal_Vector4T<double>& p) {
        p = Talp_Map4(k, p.x, p.y, p.z, p.w);
    });
    return 0;
}

Tal_Err Tal_Transform3DFloatPoints(const double m[16], long count, Tal_Vector3T<double>* points) {
    if (count < 1) return 0;
    Talp_ForEachElement<16>(
        m, count, points, [](const double* k, Tal_Vector3T<double>& p) { Talp_MapPoint3D(k, p); });
    return 0;
}

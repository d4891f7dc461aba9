// Ordered-XYZ angles from a matrix and from an axis and an angle.
#include <cstring>

#include "tal/matrix.h"

Tal_Err Tal_GetOrderedXYZRotationFromMatrix(const double* m, double* x, double* y, double* z) {
    Tal_Matrix4Decomp d;
    std::memset(&d, 0, sizeof d);
    // Translation, scale and shear come off first, so only the turn is read.
    const Tal_Err err = Tal_DecomposeMatrix4(m, &d, nullptr);
    *x = d.rotate.x;
    *y = d.rotate.y;
    *z = d.rotate.z;
    return err;
}

Tal_Err Tal_ConvertAxisAngleToOrderedXYZRotation(double ax, double ay, double az, double radians,
                                                 double* x, double* y, double* z) {
    *x = *y = *z = 0;
    double r[16];
    Tal_Err err = Tal_IdentityMatrix4(r);
    if (err == 0) err = Tal_RotateMatrix4(ax, ay, az, radians, r);
    if (err != 0) return err;
    return Tal_GetOrderedXYZRotationFromMatrix(r, x, y, z);
}

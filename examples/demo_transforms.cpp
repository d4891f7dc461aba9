// Builds a layer transform in 2D and in 3D step by step, inverts it, takes it apart again and
// interpolates between two orientations, printing what each step gives.
#include "demo_transforms.h"

#include <cstdio>

#include "tal/matrix.h"
#include "tal/xform.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDegrees = 180 / kPi;

void Print3(const char* title, const Tal_Matrix3& m) {
    std::printf("  %s\n", title);
    for (const auto& row : m.m)
        std::printf("    [%10.4f %10.4f %10.4f]\n", row[0], row[1], row[2]);
}

void Print4(const char* title, const Tal_Matrix4& m) {
    std::printf("  %s\n", title);
    for (const auto& row : m.m)
        std::printf("    [%9.4f %9.4f %9.4f %9.4f]\n", row[0], row[1], row[2], row[3]);
}

// Rounding residue prints as 0 rather than -0.0000.
double Clean(double v) {
    return v < 1e-12 && v > -1e-12 ? 0.0 : v;
}

Tal_Vector2T<double> Map(const Tal_Matrix3& m, Tal_Vector2T<double> p) {
    Tal_TransformFloatPoints(&m.m[0][0], 1, &p);
    return p;
}

void Walkthrough2D() {
    std::printf("2D layer (points are row vectors, each step acts after the previous ones)\n");
    Tal_Matrix3 m;
    m.SetIdentity().Scale(2, 2).Rotate(30).Translate(100, 50);
    Print3("scale 2, rotate 30 deg, translate (100, 50):", m);
    std::printf("  type %ld (4 = affine), determinant %.4f\n", m.GetType(), m.Determinant());

    const Tal_Vector2T<double> corner = {10, 0};
    const Tal_Vector2T<double> moved = Map(m, corner);
    std::printf("  (10, 0) -> (%.4f, %.4f)\n", moved.x, moved.y);

    const auto axes = Tal_ComputeDirectionalComponents(m);
    std::printf("  unit x -> (%.4f, %.4f), unit y -> (%.4f, %.4f), scale (%.4f, %.4f)\n",
                axes.first.x, axes.first.y, axes.second.x, axes.second.y, m.GetScale().x,
                m.GetScale().y);

    Tal_Matrix3 inverse = m;
    inverse.Invert();
    const Tal_Vector2T<double> back = Map(inverse, moved);
    std::printf("  inverse maps it back to (%.4f, %.4f)\n", back.x + 0.0, Clean(back.y));

    Tal_Matrix3 about = Tal_Matrix3().SetIdentity().Rotate(90, 10, 0);
    const Tal_Vector2T<double> turned = Map(about, {11, 0});
    std::printf("  rotate 90 about (10, 0): (11, 0) -> (%.4f, %.4f)\n", turned.x, turned.y);

    Tal_Matrix3 flat = Tal_Matrix3().SetIdentity().Scale(0, 1);
    std::printf("  a zero scale cannot be inverted: InvertQuiet() says %s, matrix kept\n\n",
                flat.InvertQuiet() ? "failed" : "done");
}

void Walkthrough3D() {
    std::printf("3D layer (radians; ordered XYZ means Rz x Ry x Rx)\n");
    Tal_Matrix4 m;
    m.SetIdentity().Scale(1, 2, 3).RotateXYZ(0.3, 0.2, 0.1).Translate(10, 20, 30);
    Print4("scale (1, 2, 3), rotate XYZ (0.3, 0.2, 0.1), translate (10, 20, 30):", m);

    Tal_Matrix4Decomp d;
    m.Decompose(&d);
    std::printf("  decomposed: translate (%g, %g, %g), scale (%g, %g, %g)\n", d.translate.x,
                d.translate.y, d.translate.z, d.scale.x, d.scale.y, d.scale.z);
    std::printf("              shear (%.1e, %.1e, %.1e), rotate (%.6f, %.6f, %.6f)\n", d.shear.xy,
                d.shear.xz, d.shear.yz, d.rotate.x, d.rotate.y, d.rotate.z);

    Tal_Matrix4 product = m;
    Tal_Matrix4 inverse = m;
    inverse.Invert();
    product *= inverse;
    std::printf("  m x inverse is the identity within 1e-12: %s\n",
                product.IsIdentityWithinEpsilon(1e-12) ? "yes" : "no");

    double x, y, z;
    Tal_Matrix4 lock = Tal_Matrix4().SetIdentity().RotateXYZ(0.3, kPi / 2, 0.2);
    Tal_GetOrderedXYZRotationFromMatrix(&lock.m[0][0], &x, &y, &z);
    std::printf("  at y = 90 deg x folds into z: (0.3, pi/2, 0.2) reads back (%.4f, %.4f, %.4f)\n",
                x, y, z);

    Tal_ConvertAxisAngleToOrderedXYZRotation(1, 1, 0, kPi / 3, &x, &y, &z);
    std::printf("  60 deg about (1, 1, 0) = XYZ (%.2f, %.2f, %.2f) deg\n", x * kDegrees,
                y * kDegrees, z * kDegrees);

    const Tal_Quat from = {0, 0, 0, 1}, to = {0, 0, 1, 0};
    Tal_Quat half;
    Tal_Slerp(&from, &to, 0.5, &half);
    std::printf("  halfway from no turn to a half turn about z: q = (%g, %g, %.4f, %.4f)\n", half.x,
                half.y, half.z, half.w);

    try {
        m.RotateAxis(0, 0, 0, 1);
    } catch (long code) {
        std::printf("  RotateAxis about (0, 0, 0) throws %ld (reported to the host)\n", code);
    }
}

}  // namespace

void RunTransformWalkthrough() {
    Walkthrough2D();
    Walkthrough3D();
}

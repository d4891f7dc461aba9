// Matrices: row vectors, post-multiplied building steps, degrees for 3x3 and radians for 4x4.
#include <cstdio>

#include "tal/base.h"
#include "tal/matrix.h"

void PrintReport(int32_t code, int32_t, int32_t, const char* text, void*) {
    std::printf("report 0x%06x: %s\n", unsigned(code), text);
}

//! [matrix]
int main() {
    Bas_SetReportSink(PrintReport, nullptr);
    // Scale by 2, then turn 90 degrees, then move by (10, 0): each step acts after the ones before.
    Tal_Matrix3 m;
    m.SetIdentity().Scale(2, 2).Rotate(90).Translate(10, 0);
    Tal_Vector2T<double> p = {1, 0};
    m.TransformPoint(&p);  // p' = p x m
    std::printf("(1, 0) -> (%g, %g)\n", p.x, p.y);
    std::printf("translation row: %g %g %g, type %ld\n", m.m[2][0], m.m[2][1], m.m[2][2],
                m.GetType());

    Tal_Matrix3 back = m;
    back.Invert();
    back.TransformPoint(&p);
    std::printf("inverted and back: (%g, %g)\n", p.x, p.y);

    // 4x4: radians. A quarter turn about z, then the decomposition recovers it.
    Tal_Matrix4 r;
    r.SetIdentity().Scale(3, 3, 3).RotateXYZ(0, 0, 1.5707963267948966).Translate(0, 0, 5);
    Tal_Matrix4Decomp d;
    r.Decompose(&d);
    std::printf("scale %g, rotate z %.6f, translate z %g\n", d.scale.x, d.rotate.z, d.translate.z);

    // A singular matrix: the plain function reports and returns the code; the Quiet form only
    // sets its flag; the member throws the code as a long.
    double flat[9] = {1, 2, 0, 2, 4, 0, 0, 0, 1}, inverse[9];
    unsigned char failed = 0;
    Tal_InverseMatrixQuiet(flat, inverse, &failed);
    std::printf("quiet: failed %d\n", failed);
    std::printf("plain: 0x%x\n", unsigned(Tal_InverseMatrix(flat, inverse)));
    return 0;
}
//! [matrix]

//! [output]
// > (1, 0) -> (10, 2)
// > translation row: 10 0 1, type 4
// > inverted and back: (1, 0)
// > scale 3, rotate z 1.570796, translate z 5
// > quiet: failed 1
// > report 0x110023: unable to invert matrix.
// > plain: 0x1107
//! [output]

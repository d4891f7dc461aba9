// 4x4 inversion by the classical adjoint, the determinant, and the normal matrix.
#include <cmath>
#include <cstring>

#include "matrix/minors.h"
#include "tal/matrix.h"

namespace {

constexpr uint16_t kInverse4Site = 0x2D;

// The three indices left when one of 0..3 is removed, in order.
constexpr int kRest[4][3] = {{1, 2, 3}, {0, 2, 3}, {0, 1, 3}, {0, 1, 2}};

// Minor of rows kRest[r] and columns kRest[c]: the six products, each left to right, summed in
// this order.
inline double Minor(const double (&m)[16], int r, int c) {
    const int i = kRest[r][0] * 4, j = kRest[r][1] * 4, k = kRest[r][2] * 4;
    const int a = kRest[c][0], b = kRest[c][1], d = kRest[c][2];
    return m[i + a] * m[j + b] * m[k + d] + m[i + b] * m[j + d] * m[k + a] +
           m[i + d] * m[j + a] * m[k + b] - m[i + d] * m[j + b] * m[k + a] -
           m[i + a] * m[j + d] * m[k + b] - m[i + b] * m[j + a] * m[k + d];
}

inline double RowZeroExpansion(const double (&m)[16], const double* k0) {
    return m[0] * k0[0] - m[1] * k0[1] + m[2] * k0[2] - m[3] * k0[3];
}

}  // namespace

double Talp_Matrix4Minors(const double* src, double* minors) {
    double m[16];
    std::memcpy(m, src, sizeof m);
    if (!minors) {
        const double k0[4] = {Minor(m, 0, 0), Minor(m, 0, 1), Minor(m, 0, 2), Minor(m, 0, 3)};
        return RowZeroExpansion(m, k0);
    }
    double k[16];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c)
            k[r * 4 + c] = Minor(m, r, c);
    }
    std::memcpy(minors, k, sizeof k);
    return RowZeroExpansion(m, k);
}

Tal_Err Tal_InverseMatrix4Quiet(const double* src, double* dst, unsigned char* failed) {
    if (failed) *failed = 0;
    double k[16];
    const double det = Talp_Matrix4Minors(src, k);
    // dst[i][j] is the cofactor of [j][i]; a NaN det is not below the threshold and divides.
    double adj[16];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            adj[i * 4 + j] = ((i + j) & 1) ? -k[j * 4 + i] : k[j * 4 + i];
    }
    if (std::fabs(det) < 1e-16) {
        std::memcpy(dst, adj, sizeof adj);
        if (failed) *failed = 1;
        return Tal_Err_CANT_INVERT;
    }
    for (int i = 0; i < 16; ++i)
        dst[i] = adj[i] / det;
    return 0;
}

Tal_Err Tal_InverseMatrix4(const double* src, double* dst) {
    unsigned char failed = 0;
    const Tal_Err err = Tal_InverseMatrix4Quiet(src, dst, &failed);
    if (failed && err) Talp_ReportErr(kInverse4Site, err, 0);
    return err;
}

Tal_Err Tal_GetMatrix4Determinant(const double* m, double* det) {
    *det = Talp_Matrix4Minors(m, nullptr);
    return 0;
}

Tal_Err Tal_CalcNormalMatrix4(const double* src, double* dst) {
    if (Tal_Err err = Tal_InverseMatrix4(src, dst)) return err;
    return Tal_TransposeMatrix4(dst, dst);
}

Tal_Err Tal_CalcNormalMatrix4Quiet(const double* src, double* dst, unsigned char* failed) {
    const Tal_Err err = Tal_InverseMatrix4Quiet(src, dst, failed);
    Tal_TransposeMatrix4(dst, dst);
    return err;
}

#include "base/MatrixFunctions.h"

#include <cmath>
#include <cstring>

#include "base/Angles.h"

namespace {

double ToRadians(double dAngle) { return dAngle * kPi / 180.0; }

// Determinant of the 3x3 matrix left when row r and column c of m are struck out.
double Minor(const double m[16], int r, int c) {
    double a[9];
    int n = 0;
    for (int row = 0; row < 4; ++row) {
        if (row == r) continue;
        for (int col = 0; col < 4; ++col) {
            if (col == c) continue;
            a[n++] = m[4 * row + col];
        }
    }
    return MatDet3(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]);
}
}  // namespace

void MatIdentity(double m[16]) {
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0 : 0.0;
}

void MatTranslate(double m[16], double dTx, double dTy, double dTz) {
    MatIdentity(m);
    m[3] = dTx;
    m[7] = dTy;
    m[11] = dTz;
}

void MatScale(double m[16], double dSx, double dSy, double dSz) {
    MatIdentity(m);
    m[0] = dSx;
    m[5] = dSy;
    m[10] = dSz;
}

void MatRotate(double m[16], double dAngle, int nAxis) {
    if (nAxis < 1 || nAxis > 3) return;
    const double dRad = ToRadians(dAngle);
    const double co = std::cos(dRad);
    const double si = std::sin(dRad);
    MatIdentity(m);
    switch (nAxis) {
    case 1:
        m[5] = co;
        m[6] = -si;
        m[9] = si;
        m[10] = co;
        break;
    case 2:
        m[0] = co;
        m[2] = si;
        m[8] = -si;
        m[10] = co;
        break;
    default:
        m[0] = co;
        m[1] = -si;
        m[4] = si;
        m[5] = co;
        break;
    }
}

void MatRotateAxis(double m[16], double dAx, double dAy, double dAz, double dAngle) {
    const double dLen = std::sqrt(dAx * dAx + dAy * dAy + dAz * dAz);
    const double n[3] = {dAx / dLen, dAy / dLen, dAz / dLen};
    // u: a unit vector normal to the axis, in the horizontal plane of the
    // axis' own coordinates; v completes the right-handed frame (u, v, n).
    double u[3] = {-1.0, 0.0, 0.0};
    const double h = dAx * dAx + dAy * dAy;
    if (std::fabs(h) >= 1e-6) {
        const double dRootH = std::sqrt(h);
        u[0] = -dAy / dRootH;
        u[1] = dAx / dRootH;
        u[2] = 0.0;
    }
    double v[3];
    VecCross(n, u, v);
    double b[16];
    MatSet(b, u[0], u[1], u[2], 0.0, v[0], v[1], v[2], 0.0, n[0], n[1], n[2], 0.0, 0.0, 0.0, 0.0, 1.0);
    double bt[16];
    MatSet(bt, u[0], v[0], n[0], 0.0, u[1], v[1], n[1], 0.0, u[2], v[2], n[2], 0.0, 0.0, 0.0, 0.0, 1.0);
    double rz[16];
    MatRotate(rz, dAngle, 3);
    // B takes the axis onto z, Rz turns about z, B transposed takes it back.
    MatMultiply(bt, rz, m);
    MatMultiply(m, b, m);
}

void MatSet(double m[16], double a00, double a01, double a02, double a03, double a10, double a11, double a12,
            double a13, double a20, double a21, double a22, double a23, double a30, double a31, double a32,
            double a33) {
    const double a[16] = {a00, a01, a02, a03, a10, a11, a12, a13, a20, a21, a22, a23, a30, a31, a32, a33};
    std::memcpy(m, a, sizeof a);
}

void MatCopy(double dst[16], const double src[16]) {
    for (int i = 0; i < 16; ++i) dst[i] = src[i];
}

void MatMultiply(const double a[16], const double b[16], double out[16]) {
    double t[16];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double s = 0.0;
            for (int k = 0; k < 4; ++k) s += a[4 * r + k] * b[4 * k + c];
            t[4 * r + c] = s;
        }
    MatCopy(out, t);
}

double MatDet3(double a00, double a01, double a02, double a10, double a11, double a12, double a20, double a21,
               double a22) {
    return a00 * (a11 * a22 - a12 * a21) - a01 * (a10 * a22 - a12 * a20) + a02 * (a10 * a21 - a11 * a20);
}

double MatDet4(const double m[16]) {
    double det = 0.0;
    for (int c = 0; c < 4; ++c) {
        const double sign = (c % 2 == 0) ? 1.0 : -1.0;
        det += sign * m[c] * Minor(m, 0, c);
    }
    return det;
}

void MatInverse(double out[16], const double m[16]) {
    const double det = MatDet4(m);
    double t[16];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            const double sign = ((r + c) % 2 == 0) ? 1.0 : -1.0;
            t[4 * c + r] = sign * Minor(m, r, c) / det;
        }
    MatCopy(out, t);
}

void MatTransformPoint(const double m[16], const double p[3], double out[3]) {
    double t[3];
    for (int i = 0; i < 3; ++i) t[i] = m[4 * i] * p[0] + m[4 * i + 1] * p[1] + m[4 * i + 2] * p[2] + m[4 * i + 3];
    for (int i = 0; i < 3; ++i) out[i] = t[i];
}

void VecCross(const double a[3], const double b[3], double out[3]) {
    const double t[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    out[0] = t[0];
    out[1] = t[1];
    out[2] = t[2];
}

#include "base/Matrix.h"

#include <cmath>
#include <cstring>

#include "base/Angles.h"

CMatrix::CMatrix() {
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

CMatrix::CMatrix(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8, float m9,
                 float m10, float m11, float m12, float m13, float m14, float m15)
    : m{m0, m1, m2, m3, m4, m5, m6, m7, m8, m9, m10, m11, m12, m13, m14, m15} {}

CMatrix::CMatrix(const float a[16]) { std::memcpy(m, a, sizeof m); }

CMatrix::CMatrix(const CVector& t) : CMatrix() {
    m[12] = t.x;
    m[13] = t.y;
    m[14] = t.z;
}

CMatrix::CMatrix(float fSx, float fSy, float fSz) : CMatrix() {
    m[0] = fSx;
    m[5] = fSy;
    m[10] = fSz;
}

CMatrix::CMatrix(const CVector& axis, float fAngle) : CMatrix() {
    // The rotation glRotate documents: the axis normalised, c and s the cosine
    // and sine of the angle. An axis of (almost) no length gives the identity,
    // as the GL implementation does, rather than dividing by zero.
    double x = axis.x, y = axis.y, z = axis.z;
    const double dLen = std::sqrt(x * x + y * y + z * z);
    if (!(dLen > 1e-4) || !std::isfinite(dLen)) return;
    x /= dLen;
    y /= dLen;
    z /= dLen;
    const double dRad = static_cast<double>(fAngle) * kPi / 180.0;
    const double c = std::cos(dRad);
    const double s = std::sin(dRad);
    const double t = 1.0 - c;
    auto set = [this](int r, int col, double v) { m[4 * col + r] = static_cast<float>(v); };
    set(0, 0, x * x * t + c);
    set(0, 1, x * y * t - z * s);
    set(0, 2, x * z * t + y * s);
    set(1, 0, y * x * t + z * s);
    set(1, 1, y * y * t + c);
    set(1, 2, y * z * t - x * s);
    set(2, 0, x * z * t - y * s);
    set(2, 1, y * z * t + x * s);
    set(2, 2, z * z * t + c);
}

CMatrix CMatrix::operator*(const CMatrix& b) const {
    CMatrix out;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            float s = 0.0f;
            for (int k = 0; k < 4; ++k) s += m[4 * k + r] * b.m[4 * c + k];
            out.m[4 * c + r] = s;
        }
    }
    return out;
}

CVector CMatrix::operator*(const CVector& v) const {
    return CVector(m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12] * v.w,
                   m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13] * v.w,
                   m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14] * v.w);
}

CMatrix CMatrix::Transpose() const {
    CMatrix out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out.m[4 * c + r] = m[4 * r + c];
    return out;
}

namespace {
// Determinant of the 3x3 matrix left when row r and column c are struck out.
float Minor(const float* m, int r, int c) {
    float a[9];
    int n = 0;
    for (int col = 0; col < 4; ++col) {
        if (col == c) continue;
        for (int row = 0; row < 4; ++row) {
            if (row == r) continue;
            a[n++] = m[4 * col + row];
        }
    }
    // a is column-major here; the determinant does not care.
    return a[0] * (a[4] * a[8] - a[5] * a[7]) - a[3] * (a[1] * a[8] - a[2] * a[7]) + a[6] * (a[1] * a[5] - a[2] * a[4]);
}
}  // namespace

CMatrix CMatrix::Inverse() const {
    float cof[16];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            const float sign = ((r + c) % 2 == 0) ? 1.0f : -1.0f;
            cof[4 * c + r] = sign * Minor(m, r, c);
        }
    // Expansion along the first row.
    float det = 0.0f;
    for (int c = 0; c < 4; ++c) det += m[4 * c] * cof[4 * c];
    CMatrix out;
    // The inverse is the transposed cofactor matrix over the determinant.
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out.m[4 * c + r] = cof[4 * r + c] / det;
    return out;
}

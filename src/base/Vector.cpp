#include "base/Vector.h"

#include <cmath>

#include "base/Angles.h"
#include "base/Matrix.h"

namespace {
const float kPiF = static_cast<float>(kPi);
}

CVector& CVector::operator=(const CVector& v) {
    x = v.x;
    y = v.y;
    z = v.z;
    return *this;
}

CVector& CVector::operator+=(const CVector& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
}

CVector& CVector::operator-=(const CVector& v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
}

CVector& CVector::operator*=(float s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
}

CVector& CVector::operator/=(float s) {
    x /= s;
    y /= s;
    z /= s;
    return *this;
}

CVector CVector::Cross(const CVector& v) const {
    return CVector(y * v.z - v.y * z, v.x * z - x * v.z, x * v.y - v.x * y);
}

float CVector::Dot(const CVector& v) const {
    float s = x * v.x;
    s += y * v.y;
    s += z * v.z;
    return s;
}

float CVector::Length() const { return std::sqrt(x * x + y * y + z * z); }

void CVector::Normalize() {
    const float fLen = Length();
    x /= fLen;
    y /= fLen;
    z /= fLen;
}

float CVector::Distance(const CVector& v) const { return CVector(x - v.x, y - v.y, z - v.z).Length(); }

CVector CVector::RotateX(float fAngle) const {
    if (fAngle == 0.0f) return *this;
    return CMatrix(CVector(1.0f, 0.0f, 0.0f), fAngle) * CVector(x, y, z);
}

CVector CVector::RotateY(float fAngle) const {
    if (fAngle == 0.0f) return *this;
    return CMatrix(CVector(0.0f, 1.0f, 0.0f), fAngle) * CVector(x, y, z);
}

float CVector::SignedAngle(const CVector& v) const {
    if (x == v.x && y == v.y && z == v.z) return 0.0f;
    CVector a(x, y, z);
    CVector b(v.x, v.y, v.z);
    a.Normalize();
    b.Normalize();
    // Rounding can push the cosine of (anti)parallel vectors just past +-1,
    // where acos has no value; the true cosine is the bound itself.
    float fCos = a.Dot(b);
    if (fCos > 1.0f) fCos = 1.0f;
    if (fCos < -1.0f) fCos = -1.0f;
    const float fAngle = std::acos(fCos);
    const CVector n = Cross(v);
    if (n.y < 0.0f) return -fAngle * 180.0f / kPiF;
    return fAngle * 180.0f / kPiF;
}

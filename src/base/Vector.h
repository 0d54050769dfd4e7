#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// A single-precision homogeneous 3-D vector used to hand points and
// directions between the 3-D view, the riser geometry and the cut plane.
// Angles are in degrees; the scene's vertical axis is y.

class CVector {
public:
    CVector() : x(0.0f), y(0.0f), z(0.0f), w(1.0f) {}
    CVector(float fX, float fY, float fZ) : x(fX), y(fY), z(fZ), w(1.0f) {}
    explicit CVector(const float a[3]) : x(a[0]), y(a[1]), z(a[2]), w(1.0f) {}
    CVector(const CVector& v) : x(v.x), y(v.y), z(v.z), w(v.w) {}
    virtual ~CVector() = default;

    // Copies x, y and z only: the target keeps its own weight.
    CVector& operator=(const CVector& v);

    CVector& operator+=(const CVector& v);
    CVector& operator-=(const CVector& v);
    CVector& operator*=(float s);
    CVector& operator/=(float s);

    // x, y, z for 0, 1, 2 and w for 3; no range check.
    float& operator[](int i) { return (&x)[i]; }
    const float& operator[](int i) const { return (&x)[i]; }

    CVector Cross(const CVector& v) const;
    float Dot(const CVector& v) const;
    float Length() const;
    // Divides x, y, z by the length; a zero vector gives non-finite values.
    void Normalize();
    float Distance(const CVector& v) const;

    // The vector (x, y, z, 1) rotated about the x resp. y axis by the angle in
    // degrees; an angle of exactly 0 returns a plain copy.
    CVector RotateX(float fAngle) const;
    CVector RotateY(float fAngle) const;

    // Signed angle in degrees from this vector to v; the sign follows the y
    // component of this x v.
    float SignedAngle(const CVector& v) const;

    float x;
    float y;
    float z;
    float w;
};

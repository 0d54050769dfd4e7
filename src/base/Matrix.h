#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// A single-precision 4x4 matrix in OpenGL (column-major) order: element
// (row r, column c) sits at m[4c + r], so the array can be handed to and read
// from OpenGL unchanged.
#include "base/Vector.h"

class CMatrix {
public:
    // Identity.
    CMatrix();
    // Sixteen values in storage order, m[0] first.
    CMatrix(float m0, float m1, float m2, float m3, float m4, float m5, float m6, float m7, float m8, float m9,
            float m10, float m11, float m12, float m13, float m14, float m15);
    explicit CMatrix(const float a[16]);
    // Translation by t.
    explicit CMatrix(const CVector& t);
    // Scale.
    CMatrix(float fSx, float fSy, float fSz);
    // Rotation by the angle in degrees about the axis: the same matrix that
    // glRotatef(angle, axis.x, axis.y, axis.z) multiplies in.
    CMatrix(const CVector& axis, float fAngle);
    virtual ~CMatrix() = default;

    float& operator[](int i) { return m[i]; }
    const float& operator[](int i) const { return m[i]; }
    // Element at row r, column c.
    float At(int r, int c) const { return m[4 * c + r]; }

    CMatrix operator*(const CMatrix& b) const;
    // The first three rows applied to (x, y, z, w); the result's w is 1 (no
    // perspective division).
    CVector operator*(const CVector& v) const;

    CMatrix Transpose() const;
    // Adjugate over determinant; a singular matrix gives non-finite values.
    CMatrix Inverse() const;

    float m[16];
};

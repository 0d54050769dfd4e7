#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// Double-precision 4x4 matrices as plain arrays stored row by row: element
// (row r, column c) at index 4r + c. Points are column vectors, so the
// translation sits in indices 3, 7 and 11 and p' = M (x, y, z, 1).
// These place outfalls, risers and jets, turn the camera and give the cut
// plane its world-to-plane transform. Angles are in degrees. Every function
// writes its result into an array the caller passes.

void MatIdentity(double m[16]);
void MatTranslate(double m[16], double dTx, double dTy, double dTz);
void MatScale(double m[16], double dSx, double dSy, double dSz);
// Rotation about principal axis 1 = x, 2 = y, 3 = z; any other axis number
// leaves m as it was.
void MatRotate(double m[16], double dAngle, int nAxis);
// Rotation about the direction (ax, ay, az), which need not have length 1.
void MatRotateAxis(double m[16], double dAx, double dAy, double dAz, double dAngle);
// Sixteen values row by row.
void MatSet(double m[16], double a00, double a01, double a02, double a03, double a10, double a11, double a12,
            double a13, double a20, double a21, double a22, double a23, double a30, double a31, double a32, double a33);
void MatCopy(double dst[16], const double src[16]);
// out = a * b; out may be a or b.
void MatMultiply(const double a[16], const double b[16], double out[16]);
// Determinant of a 3x3 matrix given row by row.
double MatDet3(double a00, double a01, double a02, double a10, double a11, double a12, double a20, double a21,
               double a22);
double MatDet4(const double m[16]);
// Cofactor inverse; a singular matrix gives non-finite values.
void MatInverse(double out[16], const double m[16]);
// out = first three rows of m applied to (p[0], p[1], p[2], 1).
void MatTransformPoint(const double m[16], const double p[3], double out[3]);
// out = a x b.
void VecCross(const double a[3], const double b[3], double out[3]);

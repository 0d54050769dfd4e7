#include <gtest/gtest.h>

#include <cmath>

#include "base/MatrixFunctions.h"

namespace {
void ExpectMatNear(const double* expected, const double* actual, double tol = 1e-12) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(expected[i], actual[i], tol) << "element " << i;
}

void ExpectPoint(const double* m, double x, double y, double z, double ex, double ey, double ez) {
    const double p[3] = {x, y, z};
    double out[3];
    MatTransformPoint(m, p, out);
    EXPECT_NEAR(ex, out[0], 1e-12);
    EXPECT_NEAR(ey, out[1], 1e-12);
    EXPECT_NEAR(ez, out[2], 1e-12);
}

// Rows 1..16: element (r, c) = 4r + c + 1.
void Counting(double m[16]) {
    for (int i = 0; i < 16; ++i) m[i] = i + 1;
}
}  // namespace

TEST(MatrixFunctions, LayoutIsRowByRow) {
    double m[16];
    MatTranslate(m, 4, 5, 6);
    EXPECT_EQ(4.0, m[3]);
    EXPECT_EQ(5.0, m[7]);
    EXPECT_EQ(6.0, m[11]);
    EXPECT_EQ(0.0, m[12]);
    ExpectPoint(m, 1, 1, 1, 5, 6, 7);

    MatScale(m, 2, 3, 4);
    ExpectPoint(m, 1, 1, 1, 2, 3, 4);

    double s[16];
    MatSet(s, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    double c[16];
    Counting(c);
    ExpectMatNear(c, s, 0);
    double copy[16];
    MatCopy(copy, s);
    ExpectMatNear(s, copy, 0);
    // Only the first three rows and the implied 1 take part.
    ExpectPoint(s, 1, 0, 0, 1 + 4, 5 + 8, 9 + 12);
}

TEST(MatrixFunctions, PrincipalRotationsAreRightHanded) {
    double m[16];
    MatRotate(m, 90, 1);
    ExpectPoint(m, 0, 1, 0, 0, 0, 1);
    MatRotate(m, 90, 2);
    ExpectPoint(m, 0, 0, 1, 1, 0, 0);
    MatRotate(m, 90, 3);
    ExpectPoint(m, 1, 0, 0, 0, 1, 0);
    MatRotate(m, 30, 3);
    ExpectPoint(m, 2, 0, 0, 2 * std::cos(M_PI / 6), 1, 0);
}

TEST(MatrixFunctions, RotateWithUnknownAxisLeavesTarget) {
    double m[16], before[16];
    Counting(m);
    MatCopy(before, m);
    MatRotate(m, 45, 0);
    ExpectMatNear(before, m, 0);
    MatRotate(m, 45, 4);
    ExpectMatNear(before, m, 0);
    MatRotate(m, 45, -1);
    ExpectMatNear(before, m, 0);
}

TEST(MatrixFunctions, RotateAxisMatchesPrincipalRotations) {
    double a[16], b[16];
    for (double angle : {0.0, 17.0, 90.0, -123.0, 270.0}) {
        MatRotateAxis(a, 0, 0, 1, angle);  // takes the fallback u = (-1, 0, 0)
        MatRotate(b, angle, 3);
        ExpectMatNear(b, a);
        MatRotateAxis(a, 0, 0, -3, angle);
        MatRotate(b, -angle, 3);
        ExpectMatNear(b, a);
        MatRotateAxis(a, 2, 0, 0, angle);
        MatRotate(b, angle, 1);
        ExpectMatNear(b, a);
        MatRotateAxis(a, 0, 0.5, 0, angle);
        MatRotate(b, angle, 2);
        ExpectMatNear(b, a);
    }
}

TEST(MatrixFunctions, RotateAxisAboutADiagonal) {
    double m[16];
    MatRotateAxis(m, 1, 1, 1, 120);
    ExpectPoint(m, 1, 0, 0, 0, 1, 0);
    ExpectPoint(m, 0, 1, 0, 0, 0, 1);
    ExpectPoint(m, 0, 0, 1, 1, 0, 0);
    // The axis itself stays put; points keep their distance from it.
    MatRotateAxis(m, 0.3, -0.8, 0.2, 63);
    ExpectPoint(m, 0.6, -1.6, 0.4, 0.6, -1.6, 0.4);
    EXPECT_NEAR(1.0, MatDet4(m), 1e-12);
}

TEST(MatrixFunctions, MultiplyAgainstHandValues) {
    double a[16], b[16], out[16];
    Counting(a);
    MatIdentity(b);
    b[1] = 2;  // B(0, 1) = 2: adds twice column 0 of A to column 1
    MatMultiply(a, b, out);
    double expected[16];
    Counting(expected);
    for (int r = 0; r < 4; ++r) expected[4 * r + 1] += 2 * a[4 * r];
    ExpectMatNear(expected, out, 0);

    // Translate after scaling: the right factor acts first.
    double t[16], s[16];
    MatTranslate(t, 1, 2, 3);
    MatScale(s, 2, 2, 2);
    MatMultiply(t, s, out);
    ExpectPoint(out, 1, 1, 1, 3, 4, 5);
}

TEST(MatrixFunctions, MultiplyIntoAnOperand) {
    double a[16], b[16], fresh[16];
    Counting(a);
    MatRotateAxis(b, 1, 2, 3, 40);
    MatMultiply(a, b, fresh);
    double left[16];
    MatCopy(left, a);
    MatMultiply(left, b, left);
    ExpectMatNear(fresh, left, 0);
    double right[16];
    MatCopy(right, b);
    MatMultiply(a, right, right);
    ExpectMatNear(fresh, right, 0);
    double sq[16], same[16];
    MatMultiply(a, a, sq);
    MatCopy(same, a);
    MatMultiply(same, same, same);
    ExpectMatNear(sq, same, 0);
}

TEST(MatrixFunctions, Determinants) {
    EXPECT_EQ(-3.0, MatDet3(1, 2, 3, 4, 5, 6, 7, 8, 10));
    EXPECT_EQ(24.0, MatDet3(2, 0, 0, 0, 3, 0, 0, 0, 4));
    double m[16];
    Counting(m);
    EXPECT_EQ(0.0, MatDet4(m));
    MatScale(m, 2, 3, 4);
    EXPECT_EQ(24.0, MatDet4(m));
    // Swapping two rows flips the sign.
    MatSet(m, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    EXPECT_EQ(-1.0, MatDet4(m));
    MatSet(m, 2, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1);
    EXPECT_EQ(1.0, MatDet4(m));
}

TEST(MatrixFunctions, InverseAgainstHandValues) {
    double m[16], inv[16], expected[16];
    MatSet(m, 2, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1);
    MatInverse(inv, m);
    MatSet(expected, 1, 0, 0, -1, 0, 1, 0, 0, 0, 0, 1, 0, -1, 0, 0, 2);
    ExpectMatNear(expected, inv);

    MatTranslate(m, 1, -2, 3);
    MatInverse(inv, m);
    MatTranslate(expected, -1, 2, -3);
    ExpectMatNear(expected, inv);
}

TEST(MatrixFunctions, InverseUndoesAPlacement) {
    double t[16], r[16], s[16], m[16], inv[16], prod[16], id[16];
    MatTranslate(t, 10, -5, 2.5);
    MatRotateAxis(r, 0.2, 1, -0.4, 33);
    MatScale(s, 2, 0.5, 4);
    MatMultiply(t, r, m);
    MatMultiply(m, s, m);
    MatInverse(inv, m);
    MatIdentity(id);
    MatMultiply(m, inv, prod);
    ExpectMatNear(id, prod, 1e-12);
    MatMultiply(inv, m, prod);
    ExpectMatNear(id, prod, 1e-12);
}

TEST(MatrixFunctions, VecCrossAgainstHandValues) {
    const double x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
    double out[3];
    VecCross(x, y, out);
    EXPECT_EQ(0.0, out[0]);
    EXPECT_EQ(0.0, out[1]);
    EXPECT_EQ(1.0, out[2]);
    const double a[3] = {1, 2, 3}, b[3] = {4, 5, 6};
    VecCross(a, b, out);
    EXPECT_EQ(-3.0, out[0]);
    EXPECT_EQ(6.0, out[1]);
    EXPECT_EQ(-3.0, out[2]);
}

#include <gtest/gtest.h>

#include <cmath>

#include "base/Matrix.h"

namespace {
void ExpectMatrixNear(const CMatrix& expected, const CMatrix& actual, float tol = 1e-5f) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(expected[i], actual[i], tol) << "element " << i;
}

// Storage order 1..16: element (r, c) = 4c + r + 1.
CMatrix Counting() { return CMatrix(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16); }
}  // namespace

TEST(Matrix, ConstructorsUseColumnMajorOrder) {
    ExpectMatrixNear(CMatrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1), CMatrix(), 0);
    const CMatrix c = Counting();
    EXPECT_EQ(1.0f, c[0]);
    EXPECT_EQ(16.0f, c[15]);
    EXPECT_EQ(5.0f, c.At(0, 1));
    EXPECT_EQ(2.0f, c.At(1, 0));

    const float arr[16] = {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 7, 8, 9, 1};
    ExpectMatrixNear(CMatrix(arr), CMatrix(CVector(7, 8, 9)) * CMatrix(2, 3, 4), 0);

    const CMatrix t(CVector(7, 8, 9));
    EXPECT_EQ(7.0f, t[12]);
    EXPECT_EQ(8.0f, t[13]);
    EXPECT_EQ(9.0f, t[14]);
    EXPECT_EQ(0.0f, t[3]);
}

TEST(Matrix, ProductAgainstHandValues) {
    // B = identity with B(0, 1) = 2: A * B adds twice column 0 of A to column 1.
    CMatrix b;
    b[4] = 2;
    CMatrix expected = Counting();
    expected[4] = 7;
    expected[5] = 10;
    expected[6] = 13;
    expected[7] = 16;
    ExpectMatrixNear(expected, Counting() * b, 0);
    // B * A adds twice row 1 of A to row 0 instead.
    CMatrix expectedLeft = Counting();
    for (int c = 0; c < 4; ++c) expectedLeft[4 * c] += 2 * Counting()[4 * c + 1];
    ExpectMatrixNear(expectedLeft, b * Counting(), 0);
}

TEST(Matrix, ProductAppliesRightFactorFirst) {
    const CMatrix m = CMatrix(CVector(1, 2, 3)) * CMatrix(2, 2, 2);
    const CVector p = m * CVector(1, 1, 1);
    EXPECT_FLOAT_EQ(3, p.x);
    EXPECT_FLOAT_EQ(4, p.y);
    EXPECT_FLOAT_EQ(5, p.z);
}

TEST(Matrix, TimesVectorIgnoresFourthRowButUsesWeight) {
    CMatrix m(CVector(1, 2, 3));
    m[3] = 5;   // bottom row, column 0
    m[15] = 7;  // bottom-right
    CVector v(1, 1, 1);
    v.w = 2;
    const CVector r = m * v;
    EXPECT_FLOAT_EQ(3, r.x);
    EXPECT_FLOAT_EQ(5, r.y);
    EXPECT_FLOAT_EQ(7, r.z);
    EXPECT_EQ(1.0f, r.w);
}

TEST(Matrix, TransposeSwapsRowsAndColumns) {
    const CMatrix t = Counting().Transpose();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(Counting().At(c, r), t.At(r, c));
}

TEST(Matrix, InverseAgainstHandValues) {
    ExpectMatrixNear(CMatrix(CVector(-1, -2, -3)), CMatrix(CVector(1, 2, 3)).Inverse());
    ExpectMatrixNear(CMatrix(0.5f, 0.25f, 0.125f), CMatrix(2, 4, 8).Inverse());
    // Rows (2 0 0 1), (0 1 0 0), (0 0 1 0), (1 0 0 1): determinant 1, inverse
    // rows (1 0 0 -1), (0 1 0 0), (0 0 1 0), (-1 0 0 2).
    const CMatrix a(2, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1);
    const CMatrix inv(1, 0, 0, -1, 0, 1, 0, 0, 0, 0, 1, 0, -1, 0, 0, 2);
    ExpectMatrixNear(inv, a.Inverse());
}

TEST(Matrix, InverseUndoesAPlacement) {
    const CMatrix m = CMatrix(CVector(3, -4, 5)) * CMatrix(CVector(1, 2, 0.5f), 37) * CMatrix(2, 0.5f, 3);
    ExpectMatrixNear(CMatrix(), m * m.Inverse(), 1e-5f);
    ExpectMatrixNear(CMatrix(), m.Inverse() * m, 1e-5f);
}

TEST(Matrix, RotationAgainstHandValues) {
    // 90 degrees about z: x goes to y, y to -x.
    const CMatrix rz(CVector(0, 0, 5), 90);
    ExpectMatrixNear(CMatrix(0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1), rz);
    // 120 degrees about (1, 1, 1) cycles the axes x -> y -> z -> x.
    const CMatrix cyc(CVector(1, 1, 1), 120);
    ExpectMatrixNear(CMatrix(0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1), cyc);
    // A rotation is orthonormal: its inverse is its transpose.
    const CMatrix r(CVector(0.3f, -2, 0.7f), 71);
    ExpectMatrixNear(r.Transpose(), r.Inverse(), 1e-5f);
    EXPECT_EQ(0.0f, r[12]);
    EXPECT_EQ(1.0f, r[15]);
}

TEST(Matrix, RotationAboutNoAxisIsIdentity) { ExpectMatrixNear(CMatrix(), CMatrix(CVector(0, 0, 0), 45), 0); }

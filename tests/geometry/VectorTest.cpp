#include <gtest/gtest.h>

#include <cmath>

#include "base/Vector.h"

namespace {
void ExpectXyz(const CVector& v, float x, float y, float z, float tol = 1e-6f) {
    EXPECT_NEAR(x, v.x, tol);
    EXPECT_NEAR(y, v.y, tol);
    EXPECT_NEAR(z, v.z, tol);
}
}  // namespace

TEST(Vector, ConstructorsSetWeightOneAndCopyKeepsIt) {
    const CVector a;
    ExpectXyz(a, 0, 0, 0);
    EXPECT_EQ(1.0f, a.w);
    const float arr[3] = {1.5f, -2.0f, 3.0f};
    const CVector b(arr);
    ExpectXyz(b, 1.5f, -2.0f, 3.0f);
    EXPECT_EQ(1.0f, b.w);

    CVector c(1, 2, 3);
    c.w = 7.0f;
    const CVector copy(c);
    EXPECT_EQ(7.0f, copy.w);

    CVector target(9, 9, 9);
    target.w = 4.0f;
    target = c;
    ExpectXyz(target, 1, 2, 3);
    EXPECT_EQ(4.0f, target.w) << "assignment copies x, y, z only";

    EXPECT_EQ(&c.x, &c[0]);
    EXPECT_EQ(&c.z, &c[2]);
    EXPECT_EQ(7.0f, c[3]);
}

TEST(Vector, ArithmeticLeavesWeightAlone) {
    CVector v(1, 2, 3);
    v.w = 2.0f;
    v += CVector(1, 1, 1);
    ExpectXyz(v, 2, 3, 4);
    v -= CVector(0.5f, 1, 2);
    ExpectXyz(v, 1.5f, 2, 2);
    v *= 2.0f;
    ExpectXyz(v, 3, 4, 4);
    v /= 4.0f;
    ExpectXyz(v, 0.75f, 1, 1);
    EXPECT_EQ(2.0f, v.w);
}

TEST(Vector, CrossDotLengthDistance) {
    ExpectXyz(CVector(1, 0, 0).Cross(CVector(0, 1, 0)), 0, 0, 1);
    ExpectXyz(CVector(0, 1, 0).Cross(CVector(1, 0, 0)), 0, 0, -1);
    ExpectXyz(CVector(1, 2, 3).Cross(CVector(4, 5, 6)), -3, 6, -3);
    EXPECT_FLOAT_EQ(32.0f, CVector(1, 2, 3).Dot(CVector(4, 5, 6)));
    EXPECT_FLOAT_EQ(13.0f, CVector(3, 4, 12).Length());
    EXPECT_FLOAT_EQ(13.0f, CVector(4, 6, 15).Distance(CVector(1, 2, 3)));

    CVector n(0, 3, 4);
    n.Normalize();
    ExpectXyz(n, 0, 0.6f, 0.8f);
}

TEST(Vector, RotationsAreRightHandedAboutXAndY) {
    ExpectXyz(CVector(0, 1, 0).RotateX(90), 0, 0, 1);
    ExpectXyz(CVector(0, 0, 1).RotateX(90), 0, -1, 0);
    ExpectXyz(CVector(0, 0, 1).RotateY(90), 1, 0, 0);
    ExpectXyz(CVector(1, 0, 0).RotateY(90), 0, 0, -1);
    const float c = std::cos(30.0f * 3.1415927f / 180.0f), s = 0.5f;
    ExpectXyz(CVector(2, 1, 0).RotateX(30), 2, c, s);
    ExpectXyz(CVector(1, 5, 0).RotateY(-30), c, 5, s);
}

TEST(Vector, RotationByZeroIsACopyOtherwiseWeightIsOne) {
    CVector v(1, 2, 3);
    v.w = 3.0f;
    const CVector same = v.RotateX(0);
    ExpectXyz(same, 1, 2, 3, 0);
    EXPECT_EQ(3.0f, same.w);
    EXPECT_EQ(3.0f, v.RotateY(0).w);
    // A rotation uses (x, y, z, 1), not the vector's own weight.
    const CVector turned = v.RotateY(360);
    ExpectXyz(turned, 1, 2, 3, 1e-5f);
    EXPECT_EQ(1.0f, turned.w);
}

TEST(Vector, SignedAngleTakesItsSignFromY) {
    EXPECT_NEAR(90.0f, CVector(1, 0, 0).SignedAngle(CVector(0, 0, -1)), 1e-4f);
    EXPECT_NEAR(-90.0f, CVector(1, 0, 0).SignedAngle(CVector(0, 0, 1)), 1e-4f);
    EXPECT_NEAR(45.0f, CVector(2, 0, 0).SignedAngle(CVector(3, 0, -3)), 1e-4f);
    EXPECT_NEAR(180.0f, CVector(1, 0, 0).SignedAngle(CVector(-1, 0, 0)), 1e-4f);
    EXPECT_EQ(0.0f, CVector(0.3f, 0.1f, 7).SignedAngle(CVector(0.3f, 0.1f, 7)));
}

TEST(Vector, SignedAngleOfParallelVectorsIsZeroNotNaN) {
    // Normalising both can leave a cosine a hair above 1.
    const CVector dirs[] = {CVector(0.1f, 5 * 0.07f, 1), CVector(1, 1, 1), CVector(0.1f, 0.7f, 0.3f),
                            CVector(3, -5, 11), CVector(1e-3f, 2e-3f, 7e-3f)};
    for (const CVector& d : dirs) {
        for (float k : {2.0f, 3.0f, 7.0f, 0.1f, 13.0f}) {
            CVector e = d;
            e *= k;
            const float a = d.SignedAngle(e);
            ASSERT_TRUE(std::isfinite(a)) << d.x << "," << d.y << "," << d.z << " * " << k;
            EXPECT_NEAR(0.0f, a, 0.05f);
            CVector opp = d;
            opp *= -k;
            const float b = d.SignedAngle(opp);
            ASSERT_TRUE(std::isfinite(b));
            EXPECT_NEAR(180.0f, std::fabs(b), 0.05f);
        }
    }
}

// The geometry kits and the camera against what OpenGL and GLU themselves
// leave in the matrix stacks, on an OSMesa context.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "OsMesaContext.h"
#include "base/Matrix.h"
#include "model/MaterialProperty.h"
#include "model/ViewControl.h"

namespace {
class GlTransform : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_context.IsValid()) << m_context.Error();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
    }
    void TearDown() override { EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError()); }

    static CMatrix Read(GLenum which) {
        float m[16];
        glGetFloatv(which, m);
        return CMatrix(m);
    }
    static GLint MatrixMode() {
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        return mode;
    }
    // Something no camera call leaves behind, so that a missing reset shows.
    static void LoadJunk() {
        glLoadIdentity();
        glTranslatef(3, -7, 11);
        glScalef(2, 0.5f, 4);
    }

    COsMesaContext m_context{32, 32};
};

void ExpectMatrixNear(const CMatrix& expected, const CMatrix& actual, float tol) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(expected[i], actual[i], tol) << "element " << i;
}

CViewControl SomeCamera() {
    CViewControl v;
    v.SetWindowSize(640, 400);
    v.OrbitAboutUp(33);
    v.OrbitAboutSide(-12);
    v.TurnTargetAboutUp(4);
    v.ScaleFieldOfView(0.8);
    v.m_dTarget[1] += 2;
    return v;
}
}  // namespace

TEST_F(GlTransform, ContextRowsRunFromTheTop) {
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 32, 0, 32, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(0, 1, 0);
    glRectf(0, 16, 32, 32);  // upper half in GL's bottom-up coordinates
    EXPECT_EQ(0x00FF00FFu, m_context.Pixel(5, 2));
    EXPECT_EQ(0xFF0000FFu, m_context.Pixel(5, 29));
    EXPECT_EQ(32u * 32u * 4u, m_context.ReadPixels().size());
}

TEST_F(GlTransform, MatrixRotationEqualsGlRotate) {
    const CVector axes[] = {CVector(1, 0, 0),         CVector(0, 1, 0),  CVector(0, 0, 1), CVector(1, 2, 3),
                            CVector(-0.3f, 0.5f, -2), CVector(0, -4, 0), CVector(0, 0, 0)};
    const float angles[] = {0, 30, -75, 90, 180, 271.5f, 1000};
    glMatrixMode(GL_MODELVIEW);
    for (const CVector& a : axes) {
        for (float angle : angles) {
            glLoadIdentity();
            glRotatef(angle, a.x, a.y, a.z);
            SCOPED_TRACE(::testing::Message() << "axis " << a.x << "," << a.y << "," << a.z << " angle " << angle);
            ExpectMatrixNear(Read(GL_MODELVIEW_MATRIX), CMatrix(a, angle), 2e-6f);
        }
    }
}

TEST_F(GlTransform, VectorRotationsEqualGlRotate) {
    glMatrixMode(GL_MODELVIEW);
    const CVector p(1.5f, -2, 0.25f);
    for (float angle : {-140.0f, -30.0f, 12.5f, 90.0f, 300.0f}) {
        glLoadIdentity();
        glRotatef(angle, 1, 0, 0);
        const CVector gx = Read(GL_MODELVIEW_MATRIX) * p;
        const CVector rx = p.RotateX(angle);
        glLoadIdentity();
        glRotatef(angle, 0, 1, 0);
        const CVector gy = Read(GL_MODELVIEW_MATRIX) * p;
        const CVector ry = p.RotateY(angle);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(gx[i], rx[i], 1e-5f) << angle;
            EXPECT_NEAR(gy[i], ry[i], 1e-5f) << angle;
        }
    }
}

TEST_F(GlTransform, ApplyCameraLoadsTheLookAtMatrix) {
    const CViewControl cam = SomeCamera();
    glMatrixMode(GL_MODELVIEW);
    LoadJunk();
    glMatrixMode(GL_PROJECTION);
    cam.ApplyCamera();
    EXPECT_EQ(GL_MODELVIEW, MatrixMode());
    const CMatrix m = Read(GL_MODELVIEW_MATRIX);

    glLoadIdentity();
    gluLookAt(cam.m_dEye[0], cam.m_dEye[1], cam.m_dEye[2], cam.m_dTarget[0], cam.m_dTarget[1], cam.m_dTarget[2],
              cam.m_dUp[0], cam.m_dUp[1], cam.m_dUp[2]);
    ExpectMatrixNear(Read(GL_MODELVIEW_MATRIX), m, 0);

    // The eye goes to the origin and the target onto the negative z axis.
    const CVector eye(static_cast<float>(cam.m_dEye[0]), static_cast<float>(cam.m_dEye[1]),
                      static_cast<float>(cam.m_dEye[2]));
    const CVector target(static_cast<float>(cam.m_dTarget[0]), static_cast<float>(cam.m_dTarget[1]),
                         static_cast<float>(cam.m_dTarget[2]));
    const CVector e = m * eye;
    const CVector t = m * target;
    EXPECT_NEAR(0, e.Length(), 1e-3f);
    EXPECT_NEAR(0, t.x, 1e-3f);
    EXPECT_NEAR(0, t.y, 1e-3f);
    EXPECT_NEAR(-eye.Distance(target), t.z, 1e-3f);
    // The projection stack was left alone.
    ExpectMatrixNear(CMatrix(), Read(GL_PROJECTION_MATRIX), 0);
}

TEST_F(GlTransform, ApplyProjectionLoadsThePerspective) {
    const CViewControl cam = SomeCamera();
    glMatrixMode(GL_PROJECTION);
    LoadJunk();
    glMatrixMode(GL_MODELVIEW);
    cam.ApplyProjection();
    EXPECT_EQ(GL_PROJECTION, MatrixMode());
    const CMatrix p = Read(GL_PROJECTION_MATRIX);

    glLoadIdentity();
    gluPerspective(cam.m_fFieldOfView, cam.m_dAspect, cam.m_fNear, cam.m_fFar);
    ExpectMatrixNear(Read(GL_PROJECTION_MATRIX), p, 0);

    const double f = 1.0 / std::tan(cam.m_fFieldOfView * M_PI / 360.0);
    const double n = cam.m_fNear, fa = cam.m_fFar;
    EXPECT_NEAR(f / 1.6, p[0], 1e-5);
    EXPECT_NEAR(f, p[5], 1e-5);
    EXPECT_NEAR(-(fa + n) / (fa - n), p[10], 1e-5);
    EXPECT_NEAR(-1, p[11], 0);
    EXPECT_NEAR(-2 * fa * n / (fa - n), p[14], 1e-3);
}

TEST_F(GlTransform, MultProjectionMultipliesOntoTheCurrentMatrix) {
    const CViewControl cam = SomeCamera();
    glMatrixMode(GL_PROJECTION);
    cam.ApplyProjection();
    const CMatrix p = Read(GL_PROJECTION_MATRIX);
    LoadJunk();
    const CMatrix junk = Read(GL_PROJECTION_MATRIX);
    cam.MultProjection();
    ExpectMatrixNear(junk * p, Read(GL_PROJECTION_MATRIX), 1e-4f);
}

TEST_F(GlTransform, ApplyMaterialSetsFrontAndBack) {
    CMaterialProperty m = CMaterialProperty::JetHighDefault();
    m.SetColor(CMaterialProperty::kSpecular, 0.25f, 0.5f, 0.75f, 1);
    m.SetShininess(64);
    ApplyMaterial(m);
    for (GLenum face : {GL_FRONT, GL_BACK}) {
        float c[4];
        glGetMaterialfv(face, GL_AMBIENT, c);
        for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(m.m_fAmbient[i], c[i]);
        glGetMaterialfv(face, GL_DIFFUSE, c);
        for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(m.m_fDiffuse[i], c[i]);
        glGetMaterialfv(face, GL_SPECULAR, c);
        for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(m.m_fSpecular[i], c[i]);
        glGetMaterialfv(face, GL_SHININESS, c);
        EXPECT_FLOAT_EQ(64, c[0]);
    }
    // A shininess GL would refuse is held to its range rather than ignored.
    m.SetShininess(500);
    ApplyMaterial(m);
    float s = 0;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &s);
    EXPECT_FLOAT_EQ(128, s);
}

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "base/AppState.h"
#include "base/Archive.h"
#include "model/ViewControl.h"

namespace {
double Dist(const double a[3], const double b[3]) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

// Cosine between the view direction and the up vector.
double UpCosine(const CViewControl& v) {
    double d[3];
    for (int i = 0; i < 3; ++i) d[i] = v.m_dTarget[i] - v.m_dEye[i];
    const double n = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    return (d[0] * v.m_dUp[0] + d[1] * v.m_dUp[1] + d[2] * v.m_dUp[2]) / n;
}

void ExpectXyz(const double* v, double x, double y, double z, double tol = 1e-9) {
    EXPECT_NEAR(x, v[0], tol);
    EXPECT_NEAR(y, v[1], tol);
    EXPECT_NEAR(z, v[2], tol);
}

CViewControl Looking(double ex, double ey, double ez) {
    CViewControl v;
    v.m_dEye[0] = ex;
    v.m_dEye[1] = ey;
    v.m_dEye[2] = ez;
    return v;
}

std::vector<std::uint8_t> Store(CViewControl& v) {
    CArchive ar;
    v.Serialize(ar);
    return ar.Data();
}

CViewControl Load(const std::vector<std::uint8_t>& bytes) {
    CArchive ar(bytes);
    CViewControl v;
    v.SetWindowSize(3, 7);
    v.Serialize(ar);
    EXPECT_EQ(0u, ar.Remaining());
    return v;
}

template <typename T>
void Poke(std::vector<std::uint8_t>& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}
}  // namespace

TEST(ViewControl, FreshCamera) {
    const CViewControl v;
    EXPECT_EQ(1, v.m_nWidth);
    EXPECT_EQ(1, v.m_nHeight);
    EXPECT_EQ(1.0, v.m_dAspect);
    ExpectXyz(v.m_dEye, 8, 15, 100, 0);
    ExpectXyz(v.m_dTarget, 0, 0, 0, 0);
    ExpectXyz(v.m_dUp, 0, 1, 0, 0);
    EXPECT_EQ(40.0f, v.m_fFieldOfView);
    EXPECT_EQ(40.0f, v.m_fInitFieldOfView);
    EXPECT_EQ(5.0f, v.m_fNear);
    EXPECT_EQ(5000.0f, v.m_fFar);
    EXPECT_EQ(1.0f, v.ZoomFactor());
    float eye[3];
    v.GetEyePosition(eye);
    EXPECT_EQ(8.0f, eye[0]);
    EXPECT_EQ(15.0f, eye[1]);
    EXPECT_EQ(100.0f, eye[2]);
}

TEST(ViewControl, WindowSizeGivesAspect) {
    CViewControl v;
    v.SetWindowSize(800, 600);
    EXPECT_EQ(800, v.m_nWidth);
    EXPECT_EQ(600, v.m_nHeight);
    EXPECT_DOUBLE_EQ(800.0 / 600.0, v.m_dAspect);
    // A window of no area keeps the last aspect instead of dividing by zero.
    v.SetWindowSize(800, 0);
    EXPECT_EQ(0, v.m_nHeight);
    EXPECT_DOUBLE_EQ(800.0 / 600.0, v.m_dAspect);
}

TEST(ViewControl, FieldOfViewScalesWithinLimits) {
    CViewControl v;
    v.ScaleFieldOfView(0.5);
    EXPECT_FLOAT_EQ(20.0f, v.m_fFieldOfView);
    EXPECT_FLOAT_EQ(0.5f, v.ZoomFactor());
    v.ScaleFieldOfView(3.6);  // 72 degrees: refused
    EXPECT_FLOAT_EQ(20.0f, v.m_fFieldOfView);
    v.ScaleFieldOfView(3.5);  // exactly 70: kept
    EXPECT_FLOAT_EQ(70.0f, v.m_fFieldOfView);
    v.ScaleFieldOfView(1.0001);
    EXPECT_FLOAT_EQ(70.0f, v.m_fFieldOfView);
    v.ScaleFieldOfView(1e-5);  // 0.0007 degrees: refused
    EXPECT_FLOAT_EQ(70.0f, v.m_fFieldOfView);
    v.ScaleFieldOfView(std::numeric_limits<double>::quiet_NaN());
    v.ScaleFieldOfView(-1);
    EXPECT_FLOAT_EQ(70.0f, v.m_fFieldOfView);
    EXPECT_FLOAT_EQ(40.0f, v.m_fInitFieldOfView);
}

TEST(ViewControl, DollyHalvesDistanceWithoutTurning) {
    CViewControl v;
    v.m_dTarget[0] = 2;
    v.m_dTarget[1] = -1;
    v.m_dTarget[2] = 4;
    const double before = Dist(v.m_dEye, v.m_dTarget);
    v.Dolly(0.5);
    EXPECT_NEAR(before / 2, Dist(v.m_dEye, v.m_dTarget), 1e-9);
    ExpectXyz(v.m_dTarget, 2, -1, 4, 0);
    ExpectXyz(v.m_dEye, 5, 7, 52);  // midway between (8, 15, 100) and the target
    // No factor may put the eye on or behind the target.
    v.Dolly(0);
    v.Dolly(-2);
    v.Dolly(std::numeric_limits<double>::infinity());
    ExpectXyz(v.m_dEye, 5, 7, 52);
}

TEST(ViewControl, OrbitAboutUpKeepsHeightAndDistance) {
    CViewControl v = Looking(0, 5, 10);
    v.OrbitAboutUp(90);
    ExpectXyz(v.m_dEye, 10, 5, 0);
    ExpectXyz(v.m_dTarget, 0, 0, 0, 0);
    v.OrbitAboutUp(-30);
    EXPECT_NEAR(5.0, v.m_dEye[1], 1e-9);
    EXPECT_NEAR(std::sqrt(125.0), Dist(v.m_dEye, v.m_dTarget), 1e-9);
    EXPECT_NEAR(10 * std::cos(M_PI / 6), v.m_dEye[0], 1e-9);
    EXPECT_NEAR(5.0, v.m_dEye[2], 1e-9);
}

TEST(ViewControl, TurnTargetMovesTargetAboutTheEye) {
    CViewControl v = Looking(0, 0, 10);
    v.TurnTargetAboutUp(90);
    ExpectXyz(v.m_dEye, 0, 0, 10, 0);
    ExpectXyz(v.m_dTarget, -10, 0, 10);

    CViewControl w = Looking(0, 0, 10);
    w.TurnTargetAboutSide(30);  // side axis (10, 0, 0): a positive angle looks up
    ExpectXyz(w.m_dEye, 0, 0, 10, 0);
    ExpectXyz(w.m_dTarget, 0, 5, 10 - 10 * std::cos(M_PI / 6));
}

TEST(ViewControl, OrbitAboutSideStopsShortOfThePoles) {
    for (double step : {5.0, -5.0, 1.3}) {
        CViewControl v;
        const double dist = Dist(v.m_dEye, v.m_dTarget);
        double last[3];
        int moves = 0;
        for (int i = 0; i < 200; ++i) {
            std::memcpy(last, v.m_dEye, sizeof last);
            v.OrbitAboutSide(step);
            if (std::memcmp(last, v.m_dEye, sizeof last) != 0) ++moves;
        }
        const double c = UpCosine(v);
        // Stopped close to a pole, before the 0.01 band, and stays there.
        EXPECT_GT(std::fabs(c), std::cos((std::acos(0.99) * 180 / M_PI + std::fabs(step)) * M_PI / 180)) << step;
        EXPECT_GE(std::fabs(c + 1), 0.01) << step;
        EXPECT_GE(std::fabs(c - 1), 0.01) << step;
        EXPECT_LT(moves, 200) << step;
        EXPECT_NEAR(dist, Dist(v.m_dEye, v.m_dTarget), 1e-9);
        std::memcpy(last, v.m_dEye, sizeof last);
        v.OrbitAboutSide(step);
        EXPECT_EQ(0, std::memcmp(last, v.m_dEye, sizeof last));
        // The other way is still open.
        v.OrbitAboutSide(-step);
        EXPECT_NE(0, std::memcmp(last, v.m_dEye, sizeof last));
    }
}

TEST(ViewControl, OrbitAboutSideTurnsRightHandedAboutTheSideAxis) {
    CViewControl v = Looking(0, 0, 10);
    v.OrbitAboutSide(30);
    // Side axis (10, 0, 0) through the target: (0, 0, 10) turns to (0, -5, 8.66).
    ExpectXyz(v.m_dEye, 0, -5, 10 * std::cos(M_PI / 6));
}

TEST(ViewControl, LookingAlongUpHasNoSideAxisAndStaysPut) {
    CViewControl v = Looking(0, 20, 0);
    v.TurnTargetAboutSide(10);
    v.OrbitAboutSide(10);
    ExpectXyz(v.m_dEye, 0, 20, 0, 0);
    ExpectXyz(v.m_dTarget, 0, 0, 0, 0);
}

TEST(ViewControl, SerializesAs112BytesInFieldOrder) {
    CViewControl v;
    v.SetWindowSize(640, 480);
    v.m_dEye[2] = 55.5;
    v.m_dTarget[1] = -3.25;
    v.m_dUp[0] = 0.125;
    v.m_fFieldOfView = 33;
    v.m_fNear = 2;
    v.m_fFar = 900;
    const std::vector<std::uint8_t> bytes = Store(v);
    ASSERT_EQ(112u, bytes.size());
    auto i32 = [&](std::size_t o) {
        std::int32_t x;
        std::memcpy(&x, &bytes[o], 4);
        return x;
    };
    auto f64 = [&](std::size_t o) {
        double x;
        std::memcpy(&x, &bytes[o], 8);
        return x;
    };
    auto f32 = [&](std::size_t o) {
        float x;
        std::memcpy(&x, &bytes[o], 4);
        return x;
    };
    EXPECT_EQ(640, i32(0));
    EXPECT_EQ(480, i32(4));
    EXPECT_DOUBLE_EQ(640.0 / 480.0, f64(8));
    EXPECT_EQ(55.5, f64(16 + 16));
    EXPECT_EQ(-3.25, f64(40 + 8));
    EXPECT_EQ(0.125, f64(64));
    EXPECT_EQ(33.0f, f32(88));
    EXPECT_EQ(40.0f, f32(92));
    EXPECT_EQ(2.0f, f32(96));
    EXPECT_EQ(900.0f, f32(100));
    EXPECT_EQ(900.0f, f32(104));
    EXPECT_EQ(0, i32(108));
}

TEST(ViewControl, LoadRestoresCameraAndResetsFar) {
    CViewControl v;
    v.SetWindowSize(640, 480);
    v.OrbitAboutUp(25);
    v.TurnTargetAboutSide(-7);
    v.ScaleFieldOfView(0.75);
    v.m_fNear = 2;
    v.m_fFar = 900;
    std::vector<std::uint8_t> bytes = Store(v);
    Poke(bytes, 108, std::int32_t(-1));  // the unused bytes are ignored
    const CViewControl back = Load(bytes);
    EXPECT_EQ(640, back.m_nWidth);
    EXPECT_EQ(480, back.m_nHeight);
    EXPECT_EQ(v.m_dAspect, back.m_dAspect);
    EXPECT_EQ(0, std::memcmp(v.m_dEye, back.m_dEye, sizeof v.m_dEye));
    EXPECT_EQ(0, std::memcmp(v.m_dTarget, back.m_dTarget, sizeof v.m_dTarget));
    EXPECT_EQ(0, std::memcmp(v.m_dUp, back.m_dUp, sizeof v.m_dUp));
    EXPECT_EQ(30.0f, back.m_fFieldOfView);
    EXPECT_EQ(40.0f, back.m_fInitFieldOfView);
    EXPECT_EQ(2.0f, back.m_fNear);
    EXPECT_EQ(5000.0f, back.m_fFar);
}

TEST(ViewControl, LoadReplacesNearBelowOne) {
    CViewControl v;
    for (float near : {0.5f, 0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) {
        v.m_fNear = near;
        EXPECT_EQ(5.0f, Load(Store(v)).m_fNear) << near;
    }
    v.m_fNear = 1.0f;
    EXPECT_EQ(1.0f, Load(Store(v)).m_fNear);
}

TEST(ViewControl, ShortStreamThrowsAndLeavesCamera) {
    CViewControl v = Looking(1, 2, 3);
    std::vector<std::uint8_t> bytes = Store(v);
    bytes.resize(111);
    CArchive ar(bytes);
    CViewControl target;
    EXPECT_THROW(target.Serialize(ar), CArchiveException);
    ExpectXyz(target.m_dEye, 8, 15, 100, 0);
}

TEST(ViewControl, DamagedBlockFallsBackToFreshView) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    CViewControl good;
    good.SetWindowSize(400, 200);
    good.OrbitAboutUp(40);

    std::vector<std::uint8_t> bytes = Store(good);
    Poke(bytes, 16 + 8, nan);  // eye y
    CViewControl v = Load(bytes);
    ExpectXyz(v.m_dEye, 8, 15, 100, 0);
    EXPECT_EQ(400, v.m_nWidth);
    EXPECT_EQ(2.0, v.m_dAspect);

    bytes = Store(good);
    Poke(bytes, 64, 0.0);  // up = (0, 0, 0)
    Poke(bytes, 72, 0.0);
    v = Load(bytes);
    ExpectXyz(v.m_dUp, 0, 1, 0, 0);

    bytes = Store(good);
    Poke(bytes, 88, 180.0f);  // field of view gluPerspective cannot use
    v = Load(bytes);
    EXPECT_EQ(40.0f, v.m_fFieldOfView);

    bytes = Store(good);
    Poke(bytes, 92, 0.0f);  // initial field of view: the zoom factor divides by it
    EXPECT_EQ(1.0f, Load(bytes).ZoomFactor());

    CViewControl eyeOnTarget = Looking(0, 0, 0);
    v = Load(Store(eyeOnTarget));
    ExpectXyz(v.m_dEye, 8, 15, 100, 0);

    bytes = Store(good);
    Poke(bytes, 0, std::int32_t(0));  // width
    Poke(bytes, 8, 0.0);              // aspect
    v = Load(bytes);
    EXPECT_EQ(1, v.m_nWidth);
    EXPECT_EQ(200, v.m_nHeight);
    EXPECT_DOUBLE_EQ(1.0 / 200.0, v.m_dAspect);
    EXPECT_NE(0, std::memcmp(v.m_dEye, CViewControl().m_dEye, sizeof v.m_dEye)) << "a bad size alone keeps the view";
}

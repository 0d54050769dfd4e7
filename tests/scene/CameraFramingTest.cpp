// Cameras that show the whole case: after the first run of a new case and
// Fit All. What counts is what the user sees: every disk of every computed
// jet and every riser inside the picture, and the eye in the open water,
// not inside a plume.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SyntheticCase.h"
#include "base/AppState.h"
#include "base/MatrixFunctions.h"
#include "model/CameraFraming.h"
#include "model/Case.h"
#include "model/JetDispModal.h"
#include "model/ViewControl.h"
#include "support/CaseInPicture.h"
#include "support/ScriptedPrompt.h"

namespace {
struct Sphere {
    double c[3];
    double r;
};

// Every disk of every jet in scene axes: its centre and half width.
std::vector<Sphere> DiskSpheres(const CCase& doc) {
    std::vector<Sphere> out;
    doc.ForEachJet([&](int, int, int, const CRiser&, const CBase&, const CJet& jet) {
        for (const CJetDisk& d : jet.m_pDisplay->m_Disks) {
            double m[16];
            const double origin[3] = {0, 0, 0};
            Sphere s{};
            jet.m_pDisplay->DiskMatrix(d, m);
            MatTransformPoint(m, origin, s.c);
            s.r = d.m_dRadius;
            out.push_back(s);
        }
    });
    return out;
}

// Where the point falls in the camera's picture: x and y from -1 to 1
// inside it.
struct Seen {
    double x, y;
};
Seen Project(const CViewControl& cam, const double p[3]) {
    double f[3], r[3], u[3];
    for (int i = 0; i < 3; ++i) f[i] = cam.m_dTarget[i] - cam.m_dEye[i];
    VecCross(f, cam.m_dUp, r);
    VecCross(r, f, u);
    const double v[3] = {p[0] - cam.m_dEye[0], p[1] - cam.m_dEye[1], p[2] - cam.m_dEye[2]};
    const auto dot = [](const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; };
    const double depth = dot(v, f) / std::sqrt(dot(f, f));
    const double t = std::tan(0.5 * cam.m_fFieldOfView * 3.14159265358979 / 180.0);
    return {dot(v, r) / std::sqrt(dot(r, r)) / (depth * t * cam.m_dAspect),
            dot(v, u) / std::sqrt(dot(u, u)) / (depth * t)};
}

double Distance(const double a[3], const double b[3]) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

void ExpectWholeCaseSeen(const CCase& doc, const CViewControl& cam) { EXPECT_EQ(WholeCaseSeen(doc, cam), ""); }

class CameraFramingTest : public ::testing::Test {
protected:
    void SetUp() override {
        BuildSyntheticCase(doc, 6, 200);
        doc.PlaceJets();
    }
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc{app, prompt};
};
}  // namespace

TEST_F(CameraFramingTest, TheFirstCameraShowsTheStructureAndEveryComputedJet) {
    for (double aspect : {1.0, 16.0 / 9.0, 0.5}) {
        CViewControl cam;
        cam.m_dAspect = aspect;
        FrameCase(doc, cam);
        SCOPED_TRACE(aspect);
        ExpectWholeCaseSeen(doc, cam);
        EXPECT_GT(cam.m_dEye[1], doc.Ambient()->m_dWaterDepth) << "looking down from above the water line";
        EXPECT_EQ(cam.m_dUp[1], 1.0);
        // Not a picture in which the case is lost: it reaches a third of
        // the picture's width or height at least.
        double lo[2] = {1, 1}, hi[2] = {-1, -1};
        for (const Sphere& s : DiskSpheres(doc)) {
            const Seen seen = Project(cam, s.c);
            lo[0] = std::min(lo[0], seen.x), hi[0] = std::max(hi[0], seen.x);
            lo[1] = std::min(lo[1], seen.y), hi[1] = std::max(hi[1], seen.y);
        }
        EXPECT_GT(std::max(hi[0] - lo[0], hi[1] - lo[1]), 2.0 / 3.0);
    }
}

TEST_F(CameraFramingTest, FitAllFromInsideAPlumeKeepsTheDirectionAndShowsTheWholeCase) {
    // The eye in the middle of a plume, looking along the outfall.
    const std::vector<Sphere> disks = DiskSpheres(doc);
    const Sphere& in = disks[150];
    CViewControl cam;
    cam.m_dAspect = 4.0 / 3.0;
    for (int i = 0; i < 3; ++i) {
        cam.m_dEye[i] = in.c[i];
        cam.m_dTarget[i] = in.c[i] + (i == 2 ? 30.0 : i == 0 ? 5.0 : -2.0);
    }
    cam.ScaleFieldOfView(0.5);
    const float fov = cam.m_fFieldOfView;
    double before[3];
    for (int i = 0; i < 3; ++i) before[i] = cam.m_dTarget[i] - cam.m_dEye[i];
    FitCase(doc, cam);
    ExpectWholeCaseSeen(doc, cam);
    EXPECT_EQ(cam.m_fFieldOfView, fov);
    // The same direction of view: the new one is the old one scaled.
    double after[3];
    for (int i = 0; i < 3; ++i) after[i] = cam.m_dTarget[i] - cam.m_dEye[i];
    const double zero[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(after[i] / Distance(after, zero), before[i] / Distance(before, zero), 1e-9) << i;
}

TEST_F(CameraFramingTest, JetsHiddenOrNotComputedAreLeftOut) {
    CViewControl all;
    FrameCase(doc, all);
    // One jet's plume carried far away, then hidden: the picture is that
    // of the other jets.
    CJet& far = *doc.GetOutfall(0)->GetRiser(0)->GetJet(0);
    FillPlumeDisks(far, 200, 14.0, 900.0, 0.6);
    doc.PlaceJets();
    CViewControl withFar;
    FrameCase(doc, withFar);
    EXPECT_GT(Distance(withFar.m_dEye, withFar.m_dTarget), 3.0 * Distance(all.m_dEye, all.m_dTarget));
    far.m_nVisible = 0;
    CViewControl hidden;
    FrameCase(doc, hidden);
    EXPECT_LT(Distance(hidden.m_dEye, hidden.m_dTarget), 1.5 * Distance(all.m_dEye, all.m_dTarget));
    // Without any computed jet the structure alone is framed.
    doc.ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) { j.m_pDisplay->m_Disks.clear(); });
    CViewControl bare;
    FrameCase(doc, bare);
    ExpectWholeCaseSeen(doc, bare);
}

namespace {
void ExpectNoWallInTheWay(const CCase& doc, const CViewControl& cam) {
    const CAmbient& a = *doc.Ambient();
    EXPECT_LE(std::fabs(cam.m_dEye[0]), a.m_dHalfExtentX) << "behind a side wall";
    EXPECT_GE(cam.m_dEye[2], -a.m_dHalfExtentZ) << "behind the far wall";
}

double Cosine(const CViewControl& a, const CViewControl& b) {
    double da[3], db[3];
    for (int i = 0; i < 3; ++i) {
        da[i] = a.m_dEye[i] - a.m_dTarget[i];
        db[i] = b.m_dEye[i] - b.m_dTarget[i];
    }
    const double zero[3] = {0, 0, 0};
    return (da[0] * db[0] + da[1] * db[1] + da[2] * db[2]) / (Distance(da, zero) * Distance(db, zero));
}
}  // namespace

TEST_F(CameraFramingTest, PlumesThatReachTheWallsAreSeenFromTheOpenSideOfTheBox) {
    // Near plumes: seen from the side the structure is seen from.
    CViewControl structure, near;
    FrameStructure(doc, structure);
    FrameCase(doc, near);
    EXPECT_NEAR(Cosine(near, structure), 1.0, 1e-12);

    // Plumes carried to the side wall, as far as the model follows them:
    // from that side the eye would stand behind the wall.
    doc.ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) { FillPlumeDisks(j, 200, 14.0, 790.0, 0.0); });
    doc.PlaceJets();
    CViewControl far;
    FrameCase(doc, far);
    ExpectWholeCaseSeen(doc, far);
    ExpectNoWallInTheWay(doc, far);
    EXPECT_GT(far.m_dEye[1], doc.Ambient()->m_dWaterDepth) << "still from above the water";

    // Fit All from behind the far wall, looking through it.
    CViewControl behind = far;
    for (int i = 0; i < 3; ++i) behind.m_dEye[i] = behind.m_dTarget[i] + (i == 2 ? -2000.0 : i == 1 ? 300.0 : 0.0);
    FitCase(doc, behind);
    ExpectWholeCaseSeen(doc, behind);
    ExpectNoWallInTheWay(doc, behind);
}

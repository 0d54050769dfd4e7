#include "model/CameraFraming.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/Angles.h"
#include "base/AppState.h"
#include "base/MatrixFunctions.h"
#include "model/Case.h"
#include "model/JetDispModal.h"
#include "model/ViewControl.h"

namespace {
// Seen from this direction (scene axes, y up): above the water line, to the
// side of the outfalls, looking along them at an angle. The framed box holds
// the risers (or ports) and the water column above them, not the whole pipe.
constexpr double kViewDirection[3] = {0.55, 0.42, 0.72};
// The structure alone would fill the picture edge to edge; the plumes grow
// well beyond it, so the framing leaves room around it.
constexpr double kRoom = 1.15;
constexpr double kSmallestRadius = 10.0;  // m
// Of the picture's half width and half height, what a framed case may fill.
constexpr double kFill = 0.9;

// A box in scene axes (y up).
struct SceneBox {
    double m_dLo[3] = {0.0, 0.0, 0.0};
    double m_dHi[3] = {0.0, 0.0, 0.0};
};

void Widen(SceneBox& box, double x, double y, double z) {
    const double p[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        box.m_dLo[i] = std::min(box.m_dLo[i], p[i]);
        box.m_dHi[i] = std::max(box.m_dHi[i], p[i]);
    }
}

// The risers (or ports) of every outfall with the water column above them.
SceneBox StructureBox(const CCase& doc) {
    const double depth = doc.Ambient() ? doc.Ambient()->m_dWaterDepth : 20.0;
    SceneBox box;
    box.m_dLo[0] = box.m_dLo[2] = 1e300;
    box.m_dHi[0] = box.m_dHi[2] = -1e300;
    box.m_dLo[1] = 0.0;
    box.m_dHi[1] = depth;
    const bool noRiser = doc.IsNoRiser();
    for (const auto& o : doc.Outfalls()) {
        const double bed = depth - o->m_dDepth;
        if (o->m_Risers.empty()) Widen(box, o->m_dPosition[0], bed, 0.0);
        for (const auto& r : o->m_Risers) {
            if (noRiser) {
                const double last = std::max(0, r->GetJetCount() - 1) * o->m_dJetSpacing;
                Widen(box, o->m_dPosition[0], bed, 0.0);
                Widen(box, o->m_dPosition[0], bed, last);
            } else {
                Widen(box, o->m_dPosition[0], bed + r->m_dHeight, r->m_dDistance);
            }
        }
    }
    if (box.m_dLo[0] > box.m_dHi[0]) {  // no outfall: the water column at the origin
        box.m_dLo[0] = box.m_dHi[0] = box.m_dLo[2] = box.m_dHi[2] = 0.0;
    }
    return box;
}

// A ball the picture must hold whole.
struct Ball {
    double c[3];
    double r;
};

// The corners of the structure's box, and every disk of every shown,
// computed jet: its centre with its half width, no higher than the water.
std::vector<Ball> CaseBalls(const CCase& doc) {
    std::vector<Ball> balls;
    const SceneBox box = StructureBox(doc);
    for (int c = 0; c < 8; ++c)
        balls.push_back({{c & 1 ? box.m_dHi[0] : box.m_dLo[0], c & 2 ? box.m_dHi[1] : box.m_dLo[1],
                          c & 4 ? box.m_dHi[2] : box.m_dLo[2]},
                         0.0});
    const double depth = doc.Ambient() ? doc.Ambient()->m_dWaterDepth : 20.0;
    doc.ForEachJet([&](int, int, int, const CRiser& o, const CBase& r, const CJet& jet) {
        if (!o.m_nVisible || !r.m_nVisible || !jet.m_nVisible) return;
        const CJetDispModal& display = *jet.m_pDisplay;
        for (const CJetDisk& d : display.m_Disks) {
            double m[16];
            const double origin[3] = {0.0, 0.0, 0.0};
            Ball b{};
            display.DiskMatrix(d, m);
            MatTransformPoint(m, origin, b.c);
            b.r = std::fabs(d.m_dRadius);
            if (!std::isfinite(b.c[0] + b.c[1] + b.c[2] + b.r)) continue;
            b.c[1] = std::min(b.c[1], depth);
            balls.push_back(b);
        }
    });
    return balls;
}

double Length(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }
double Dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Looks along the unit direction -dir (dir points from the target to the
// eye) with the camera's up axis kept: the target in the middle of what the
// balls cover across the picture, the eye at the least distance from which
// every ball lies inside kFill of the picture's half width and height and
// beyond the near plane.
void FrameBallsFrom(const std::vector<Ball>& balls, const double dir[3], CViewControl& camera) {
    // The camera's axes: forward (into the picture), right and up.
    const double forward[3] = {-dir[0], -dir[1], -dir[2]};
    double right[3], up[3];
    VecCross(forward, camera.m_dUp, right);
    double n = Length(right);
    const bool alongUp = !(n > 1e-9);
    if (alongUp) {
        // Looking along the up axis: the picture's up is the far side.
        const double other[3] = {0.0, 0.0, -1.0};
        VecCross(forward, other, right);
        n = Length(right);
        if (!(n > 1e-9)) {
            const double another[3] = {1.0, 0.0, 0.0};
            VecCross(forward, another, right);
            n = Length(right);
        }
    }
    for (double& v : right) v /= n;
    VecCross(right, forward, up);
    if (alongUp)
        for (int i = 0; i < 3; ++i) camera.m_dUp[i] = up[i];
    // The middle of what the balls cover, in the camera's axes.
    double lo[3] = {1e300, 1e300, 1e300}, hi[3] = {-1e300, -1e300, -1e300};
    for (const Ball& b : balls) {
        const double p[3] = {Dot(b.c, right), Dot(b.c, up), Dot(b.c, forward)};
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], p[i] - b.r);
            hi[i] = std::max(hi[i], p[i] + b.r);
        }
    }
    double mid[3];
    for (int i = 0; i < 3; ++i) mid[i] = 0.5 * (lo[i] + hi[i]);
    const double halfV = 0.5 * camera.m_fFieldOfView * kPi / 180.0;
    const double tanV = kFill * std::tan(halfV);
    const double tanH = tanV * (camera.m_dAspect > 0.0 ? camera.m_dAspect : 1.0);
    // The eye stands this far before the middle; a ball's centre lies
    // distance + z ahead of it.
    double distance = kSmallestRadius / std::sin(halfV);
    for (const Ball& b : balls) {
        const double x = Dot(b.c, right) - mid[0], y = Dot(b.c, up) - mid[1], z = Dot(b.c, forward) - mid[2];
        distance = std::max({distance, (std::fabs(x) + b.r) / tanH - z, (std::fabs(y) + b.r) / tanV - z,
                             static_cast<double>(camera.m_fNear) + b.r - z});
    }
    for (int i = 0; i < 3; ++i) {
        camera.m_dTarget[i] = mid[0] * right[i] + mid[1] * up[i] + mid[2] * forward[i];
        camera.m_dEye[i] = camera.m_dTarget[i] + distance * dir[i];
    }
}
// Whether no wall of the ambient box stands between the eye and what is in
// the box: the walls stand at x = -W and W and at z = -D, the box is open
// towards +z and at the top.
bool SeesIntoTheBox(const CCase& doc, const double eye[3]) {
    const CAmbient* ambient = doc.Ambient();
    if (!ambient) return true;
    return std::fabs(eye[0]) <= ambient->m_dHalfExtentX && eye[2] >= -ambient->m_dHalfExtentZ;
}

// From the unit direction dir, or, where the eye would stand behind a wall
// of the box (plumes that reach far make the eye go far back), from a
// direction turned towards the box's open side as far as needed, at the
// same height above the horizon.
void FrameFrom(const CCase& doc, const double dir[3], CViewControl& camera) {
    const std::vector<Ball> balls = CaseBalls(doc);
    // The heading about the vertical (0: from the open side) turns to 0 in
    // steps; the height above the horizon stays.
    const double level = std::sqrt(dir[0] * dir[0] + dir[2] * dir[2]);
    const double heading = std::atan2(dir[0], dir[2]);
    constexpr int kSteps = 12;
    for (int k = 0; k <= kSteps; ++k) {
        const double h = heading * (1.0 - double(k) / kSteps);
        const double d[3] = {level * std::sin(h), dir[1], level * std::cos(h)};
        FrameBallsFrom(balls, d, camera);
        if (level < 1e-9 || SeesIntoTheBox(doc, camera.m_dEye)) return;
    }
}
}  // namespace

void FrameStructure(const CCase& doc, CViewControl& camera) {
    const SceneBox box = StructureBox(doc);
    double target[3], extent = 0.0;
    for (int i = 0; i < 3; ++i) {
        target[i] = 0.5 * (box.m_dLo[i] + box.m_dHi[i]);
        extent += (box.m_dHi[i] - box.m_dLo[i]) * (box.m_dHi[i] - box.m_dLo[i]);
    }
    const double radius = std::max(kSmallestRadius, 0.5 * std::sqrt(extent));
    const double halfFov = 0.5 * camera.m_fFieldOfView * kPi / 180.0;
    const double distance = kRoom * radius / std::sin(halfFov);
    const double n = Length(kViewDirection);
    for (int i = 0; i < 3; ++i) {
        camera.m_dTarget[i] = target[i];
        camera.m_dEye[i] = target[i] + distance * kViewDirection[i] / n;
    }
    camera.m_dUp[0] = 0.0;
    camera.m_dUp[1] = 1.0;
    camera.m_dUp[2] = 0.0;
}

void FrameCase(const CCase& doc, CViewControl& camera) {
    camera.m_dUp[0] = 0.0;
    camera.m_dUp[1] = 1.0;
    camera.m_dUp[2] = 0.0;
    const double n = Length(kViewDirection);
    const double dir[3] = {kViewDirection[0] / n, kViewDirection[1] / n, kViewDirection[2] / n};
    FrameFrom(doc, dir, camera);
}

void FitCase(const CCase& doc, CViewControl& camera) {
    double dir[3] = {camera.m_dEye[0] - camera.m_dTarget[0], camera.m_dEye[1] - camera.m_dTarget[1],
                     camera.m_dEye[2] - camera.m_dTarget[2]};
    const double n = Length(dir);
    if (!(n > 1e-12) || !std::isfinite(n)) {
        FrameCase(doc, camera);
        return;
    }
    for (double& v : dir) v /= n;
    FrameFrom(doc, dir, camera);
}

#include "ui/ViewDrag.h"

#include <algorithm>
#include <cmath>

#include "base/Angles.h"
#include "document/PlumexDoc.h"
#include "model/Jet.h"
#include "model/ViewControl.h"
#include "ui/MouseMode.h"

bool ApplyCameraDrag(CViewControl& camera, int mode, int dx, int dy, int cw, int ch, bool ctrl) {
    if (cw <= 0 || ch <= 0) return false;
    const double fx = double(dx) / cw, fy = double(dy) / ch;
    switch (static_cast<MouseMode>(mode)) {
    case MouseMode::Move:
        camera.TurnTargetAboutUp(fx * 100.0);
        camera.TurnTargetAboutSide(fy * 100.0);
        return true;
    case MouseMode::Zoom: {
        const double f = 1.0 - fy;
        if (f <= 0.001) return false;
        if (ctrl) camera.ScaleFieldOfView(f);
        else camera.Dolly(f);
        return true;
    }
    case MouseMode::Rotate: {
        const double ax = fx * 100.0, ay = fy * 100.0;
        if (std::fabs(ay) >= std::fabs(ax)) camera.OrbitAboutSide(-ay);
        else camera.OrbitAboutUp(-ax);
        return true;
    }
    default:
        return false;
    }
}

namespace {
bool TurnPlane(CPlumexDoc& doc, double ex, double ey) {
    const CCutPlane& plane = doc.m_CutPlane;
    double h, v, d;
    int disk;
    CutPlaneKind kind;
    plane.GetPlane(h, v, d, disk, kind);
    if (std::fabs(ey) >= std::fabs(ex)) {
        v = std::clamp(v - ey, 0.0, 90.0);
    } else {
        h = std::fmod(h + ex, 360.0);
        if (h < 0.0) h += 360.0;
    }
    // The plane keeps passing through its point.
    const double hr = h * kPi / 180.0, vr = v * kPi / 180.0;
    const double n[3] = {std::sin(hr) * std::cos(vr), std::sin(vr), std::cos(hr) * std::cos(vr)};
    d = std::fabs(n[0] * plane.m_vPoint[0] + n[1] * plane.m_vPoint[1] + n[2] * plane.m_vPoint[2]);
    doc.SetCutPlane(h, v, d, disk, kind, false);
    return true;
}
}  // namespace

bool ApplyPlaneDrag(CPlumexDoc& doc, int dx, int dy, int cw, int ch, bool ctrl) {
    if (cw <= 0 || ch <= 0) return false;
    const CCutPlane& plane = doc.m_CutPlane;
    if (ctrl) return TurnPlane(doc, double(dx) / cw * 50.0, double(dy) / ch * 50.0);

    const double s = double(dy) / ch * 5.0;
    double h, v, d;
    int disk;
    CutPlaneKind kind;
    plane.GetPlane(h, v, d, disk, kind);
    if (kind == CutPlaneKind::NormalToJet || kind == CutPlaneKind::UserSpecified) {
        CJet* jet = doc.GetCurrentJet();
        if (!jet) return false;
        // The step grows with the speed of the drag, in either direction.
        const int step = std::clamp(int(std::fabs(s) * 600.0), 5, 50);
        int k = jet->m_nCurrentDisk + (s > 0.0 ? -step : step);
        k = std::max(k, 1);
        if (!doc.PlaceCutPlaneAtDisk(k, kind, h, v, d)) return false;
        doc.SetCutPlane(h, v, d, k, kind, false);
        return true;
    }
    const double moved = d - s;
    if (moved < -50.0 || moved >= 50.0) return false;
    doc.SetCutPlane(h, v, moved, disk, kind, false);
    return true;
}

#include "farfield/WastefieldStart.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/Case.h"

namespace {
struct Point {
    double x, y, z;
};

// The scene position of a disk's centre (the disk matrix is row-major).
Point Centre(const CJetDispModal& display, const CJetDisk& disk) {
    double m[16];
    display.DiskMatrix(disk, m);
    return {m[3], m[7], m[11]};
}

double Dot(const Point& a, const Point& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
}  // namespace

bool FindWastefieldStart(const CCase& doc, const CRiser& outfall, WastefieldStart& start) {
    start = WastefieldStart{};
    const double surface = doc.Ambient() ? doc.Ambient()->m_dWaterDepth : 0.0;
    // The ends with the lowest and the highest centre across the current,
    // and their half widths.
    double lowAcross = 0.0, highAcross = 0.0, lowRadius = 0.0, highRadius = 0.0, sumDepth = 0.0, sumAlong = 0.0;
    double lowDilution = 0.0, longestTime = 0.0;
    bool any = false;
    for (const auto& r : outfall.m_Risers) {
        for (const auto& j : r->m_Jets) {
            const CJetDispModal& display = *j->m_pDisplay;
            if (display.m_Disks.empty()) continue;
            const CJetDisk& end = display.m_Disks.back();
            if (!(end.m_dDilution > 0.0) || !std::isfinite(end.m_dDilution)) return false;
            // The jet model's x axis runs with the current: a disk one metre
            // along it, less the port, is the current's direction in the scene.
            CJetDisk origin, ahead;
            ahead.m_dX = 1.0;
            const Point port = Centre(display, origin);
            const Point tip = Centre(display, ahead);
            const double hx = tip.x - port.x, hz = tip.z - port.z;
            const double hl = std::hypot(hx, hz);
            if (!(hl > 0.0)) return false;
            const Point along{hx / hl, 0.0, hz / hl};
            const Point across{-along.z, 0.0, along.x};
            const Point c = Centre(display, end);
            const double a = Dot(c, across);
            if (!any || a < lowAcross) {
                lowAcross = a;
                lowRadius = end.m_dRadius;
            }
            if (!any || a > highAcross) {
                highAcross = a;
                highRadius = end.m_dRadius;
            }
            sumDepth += surface - c.y;
            sumAlong += Dot({c.x - port.x, 0.0, c.z - port.z}, along);
            for (int i = 0; i < 3; ++i) start.m_dDiffuser[i] += i == 0 ? port.x : i == 1 ? port.y : port.z;
            start.m_dCurrentDir[0] = along.x;
            start.m_dCurrentDir[1] = along.z;
            lowDilution = any ? std::min(lowDilution, end.m_dDilution) : end.m_dDilution;
            longestTime = any ? std::max(longestTime, end.m_dUnnamed) : end.m_dUnnamed;
            any = true;
            ++start.m_nJets;
        }
    }
    if (!any) return false;
    // The span of the centres plus the half width of the outermost end at
    // each side; for one end, twice its half width.
    start.m_dWidth = highAcross - lowAcross + lowRadius + highRadius;
    start.m_dDepth = sumDepth / start.m_nJets;
    for (double& c : start.m_dDiffuser) c /= start.m_nJets;
    start.m_dAlong = std::max(0.0, sumAlong / start.m_nJets);
    start.m_dDilution = lowDilution;
    start.m_dTime = std::max(0.0, longestTime);
    return true;
}

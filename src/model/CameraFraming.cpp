#include "model/CameraFraming.h"

#include <algorithm>
#include <cmath>

#include "base/Angles.h"
#include "base/AppState.h"
#include "model/Case.h"
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
}  // namespace

void FrameStructure(const CCase& doc, CViewControl& camera) {
    const double depth = doc.Ambient() ? doc.Ambient()->m_dWaterDepth : 20.0;
    double lo[3] = {1e300, 0.0, 1e300};
    double hi[3] = {-1e300, depth, -1e300};
    auto widen = [&](double x, double y, double z) {
        lo[0] = std::min(lo[0], x);
        hi[0] = std::max(hi[0], x);
        lo[1] = std::min(lo[1], y);
        hi[1] = std::max(hi[1], y);
        lo[2] = std::min(lo[2], z);
        hi[2] = std::max(hi[2], z);
    };
    const bool noRiser = doc.IsNoRiser();
    for (const auto& o : doc.Outfalls()) {
        const double bed = depth - o->m_dDepth;
        if (o->m_Risers.empty()) widen(o->m_dPosition[0], bed, 0.0);
        for (const auto& r : o->m_Risers) {
            if (noRiser) {
                const double last = std::max(0, r->GetJetCount() - 1) * o->m_dJetSpacing;
                widen(o->m_dPosition[0], bed, 0.0);
                widen(o->m_dPosition[0], bed, last);
            } else {
                widen(o->m_dPosition[0], bed + r->m_dHeight, r->m_dDistance);
            }
        }
    }
    if (lo[0] > hi[0]) {  // no outfall: the water column at the origin
        lo[0] = hi[0] = lo[2] = hi[2] = 0.0;
    }
    double target[3], extent = 0.0;
    for (int i = 0; i < 3; ++i) {
        target[i] = 0.5 * (lo[i] + hi[i]);
        extent += (hi[i] - lo[i]) * (hi[i] - lo[i]);
    }
    const double radius = std::max(kSmallestRadius, 0.5 * std::sqrt(extent));
    const double halfFov = 0.5 * camera.m_fFieldOfView * kPi / 180.0;
    const double distance = kRoom * radius / std::sin(halfFov);
    const double n = std::sqrt(kViewDirection[0] * kViewDirection[0] + kViewDirection[1] * kViewDirection[1] +
                               kViewDirection[2] * kViewDirection[2]);
    for (int i = 0; i < 3; ++i) {
        camera.m_dTarget[i] = target[i];
        camera.m_dEye[i] = target[i] + distance * kViewDirection[i] / n;
    }
    camera.m_dUp[0] = 0.0;
    camera.m_dUp[1] = 1.0;
    camera.m_dUp[2] = 0.0;
}

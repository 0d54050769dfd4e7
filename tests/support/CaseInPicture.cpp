#include "support/CaseInPicture.h"

#include <cmath>

#include "base/Angles.h"
#include "base/MatrixFunctions.h"
#include "model/Case.h"
#include "model/JetDispModal.h"
#include "model/ViewControl.h"

namespace {
// Where the point falls in the camera's picture: x and y from -1 to 1
// inside it, and its depth in front of the eye.
struct Seen {
    double x, y, depth;
};

Seen Project(const CViewControl& cam, const double p[3]) {
    double f[3], r[3], u[3];
    for (int i = 0; i < 3; ++i) f[i] = cam.m_dTarget[i] - cam.m_dEye[i];
    const double fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    for (double& v : f) v /= fl;
    VecCross(f, cam.m_dUp, r);
    const double rl = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
    for (double& v : r) v /= rl;
    VecCross(r, f, u);
    const double v[3] = {p[0] - cam.m_dEye[0], p[1] - cam.m_dEye[1], p[2] - cam.m_dEye[2]};
    const double depth = v[0] * f[0] + v[1] * f[1] + v[2] * f[2];
    const double t = std::tan(0.5 * cam.m_fFieldOfView * kPi / 180.0);
    return {(v[0] * r[0] + v[1] * r[1] + v[2] * r[2]) / (depth * t * cam.m_dAspect),
            (v[0] * u[0] + v[1] * u[1] + v[2] * u[2]) / (depth * t), depth};
}

bool InPicture(const CViewControl& cam, const double p[3]) {
    const Seen s = Project(cam, p);
    return s.depth > cam.m_fNear && std::fabs(s.x) <= 1.0 && std::fabs(s.y) <= 1.0;
}
}  // namespace

std::string WholeCaseSeen(const CCase& doc, const CViewControl& cam) {
    int outside = 0, around = 0, risers = 0;
    doc.ForEachJet([&](int, int, int, const CRiser&, const CBase&, const CJet& jet) {
        for (const CJetDisk& d : jet.m_pDisplay->m_Disks) {
            double m[16], c[3];
            const double origin[3] = {0, 0, 0};
            jet.m_pDisplay->DiskMatrix(d, m);
            MatTransformPoint(m, origin, c);
            if (!InPicture(cam, c)) ++outside;
            const double e[3] = {cam.m_dEye[0] - c[0], cam.m_dEye[1] - c[1], cam.m_dEye[2] - c[2]};
            if (std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]) <= d.m_dRadius) ++around;
        }
    });
    const double depth = doc.Ambient() ? doc.Ambient()->m_dWaterDepth : 20.0;
    for (const auto& o : doc.Outfalls())
        for (const auto& r : o->m_Risers) {
            const double top[3] = {o->m_dPosition[0], depth - o->m_dDepth + r->m_dHeight, r->m_dDistance};
            if (!InPicture(cam, top)) ++risers;
        }
    std::string text;
    const auto add = [&text](int n, const char* what) {
        if (n == 0) return;
        if (!text.empty()) text += "; ";
        text += std::to_string(n) + what;
    };
    add(outside, " disks outside the picture");
    add(around, " disks around the eye");
    add(risers, " riser tops outside the picture");
    return text;
}

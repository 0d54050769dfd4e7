#include "plot/JetSeries.h"

#include <algorithm>
#include <cmath>

#include "base/MatrixFunctions.h"
#include "model/Case.h"
#include "model/JetLabel.h"

namespace {
// Scene position of a point given in the jet's own model frame (x along the
// current, z up), through the jet's display transform.
void ScenePoint(const CJetDispModal& display, double x, double y, double z, double out[3]) {
    CJetDisk d;
    d.m_dX = x;
    d.m_dY = y;
    d.m_dZ = z;
    double m[16];
    display.DiskMatrix(d, m);
    out[0] = m[3];
    out[1] = m[7];
    out[2] = m[11];
}

JetSample Lerp(const JetSample& a, const JetSample& b, double t) {
    auto mix = [t](double u, double v) { return u + t * (v - u); };
    JetSample s;
    s.m_dPath = mix(a.m_dPath, b.m_dPath);
    s.m_dHorizontal = mix(a.m_dHorizontal, b.m_dHorizontal);
    s.m_dHeight = mix(a.m_dHeight, b.m_dHeight);
    s.m_dPlanX = mix(a.m_dPlanX, b.m_dPlanX);
    s.m_dPlanY = mix(a.m_dPlanY, b.m_dPlanY);
    s.m_dHalfWidth = mix(a.m_dHalfWidth, b.m_dHalfWidth);
    s.m_dVAngle = mix(a.m_dVAngle, b.m_dVAngle);
    s.m_dCentreDilution = mix(a.m_dCentreDilution, b.m_dCentreDilution);
    s.m_dAverageDilution = mix(a.m_dAverageDilution, b.m_dAverageDilution);
    s.m_dVelocity = mix(a.m_dVelocity, b.m_dVelocity);
    return s;
}
}  // namespace

double CentreDilution(double maxConcentration) { return maxConcentration > 0.0 ? 1.0 / maxConcentration : 0.0; }

JetSeries MakeJetSeries(const CCase& doc, int outfall, int riser, int jet, const double* plane) {
    JetSeries s;
    int ordinal = 0;
    const CRiser* o = nullptr;
    const CBase* r = nullptr;
    const CJet* j = nullptr;
    doc.ForEachJet([&](int i, int k, int l, const CRiser& oo, const CBase& rr, const CJet& jj) {
        if (i == outfall && k == riser && l == jet) {
            s.m_nOrdinal = ordinal;
            o = &oo;
            r = &rr;
            j = &jj;
        }
        ++ordinal;
    });
    if (!j) return s;
    s.m_nOutfall = outfall;
    s.m_nRiser = riser;
    s.m_nJet = jet;
    s.m_strOutfall = o->m_strName;
    s.m_strRiser = r->m_strName;
    s.m_strJet = j->m_strName;
    s.m_strLabel = JetLabel(doc, outfall, riser, jet);

    // The model puts the surface at the port depth above the port and the
    // bed at the deepest profile row. Without the depth the model used
    // (results of an old file), the port's place in the scene gives it: the
    // water line is at the water depth, the bed at 0.
    const CJetDispModal& display = *j->m_pDisplay;
    const double waterDepth = doc.Ambient() ? doc.Ambient()->m_dWaterDepth : 0.0;
    const double portDepth =
        j->m_KeyParams.m_dDepth > 0.0 ? j->m_KeyParams.m_dDepth : waterDepth - display.m_Placement[7];
    const double bedDepth =
        doc.Ambient() && doc.Ambient()->GetRowCount() > 0 ? doc.Ambient()->GetLastRow().m_dDepth : waterDepth;
    s.m_dSurface = portDepth;
    s.m_dBed = -(std::max(bedDepth, portDepth) - portDepth);

    double p0[3], p1[3];
    ScenePoint(display, 0.0, 0.0, 0.0, p0);
    ScenePoint(display, 1.0, 0.0, 0.0, p1);
    const double cx = p1[0] - p0[0], cy = -(p1[2] - p0[2]);
    const double len = std::hypot(cx, cy);
    if (len > 0.0) {
        s.m_dCurrent[0] = cx / len;
        s.m_dCurrent[1] = cy / len;
    }

    const std::vector<CJetDisk>& disks = display.m_Disks;
    s.m_Samples.reserve(disks.size());
    std::vector<double> side;  // signed distance of each centre from the plane
    for (std::size_t i = 0; i < disks.size(); ++i) {
        const CJetDisk& d = disks[i];
        JetSample p;
        if (i > 0) {
            const CJetDisk& q = disks[i - 1];
            const double dx = d.m_dX - q.m_dX, dy = d.m_dY - q.m_dY, dz = d.m_dZ - q.m_dZ;
            const double h = std::hypot(dx, dy);
            p.m_dPath = s.m_Samples.back().m_dPath + std::hypot(h, dz);
            p.m_dHorizontal = s.m_Samples.back().m_dHorizontal + h;
        }
        double c[3];
        ScenePoint(display, d.m_dX, d.m_dY, d.m_dZ, c);
        p.m_dHeight = d.m_dZ;
        p.m_dPlanX = c[0];
        p.m_dPlanY = -c[2];
        p.m_dHalfWidth = d.m_dRadius;
        p.m_dVAngle = d.m_dVAngle;
        p.m_dCentreDilution = CentreDilution(d.m_dMaxConc);
        p.m_dAverageDilution = d.m_dDilution;
        p.m_dVelocity = d.m_dVelocity;
        s.m_Samples.push_back(p);
        if (plane) {
            // A centre within rounding of the plane lies on it (a plane
            // through the port must cross at the port).
            const double f = plane[0] * c[0] + plane[1] * c[1] + plane[2] * c[2] + plane[3];
            const double tolerance = 1e-9 * (1.0 + std::fabs(plane[3]));
            side.push_back(std::fabs(f) <= tolerance ? 0.0 : f);
        }
    }
    // A crossing lies between two centres on opposite sides of the plane,
    // or at a centre on the plane (counted once).
    for (std::size_t i = 0; plane && i + 1 < side.size(); ++i) {
        const double a = side[i], b = side[i + 1];
        if (a == 0.0) {
            s.m_Crossings.push_back(s.m_Samples[i]);
        } else if ((a < 0.0 && b > 0.0) || (a > 0.0 && b < 0.0)) {
            s.m_Crossings.push_back(Lerp(s.m_Samples[i], s.m_Samples[i + 1], a / (a - b)));
        }
    }
    if (plane && !side.empty() && side.back() == 0.0) s.m_Crossings.push_back(s.m_Samples.back());
    return s;
}

std::vector<JetSeries> MakeCaseSeries(const CCase& doc, const double* plane) {
    std::vector<JetSeries> all;
    doc.ForEachJet([&](int o, int r, int k, const CRiser&, const CBase&, const CJet& j) {
        if (j.GetDiskCount() > 0) all.push_back(MakeJetSeries(doc, o, r, k, plane));
    });
    return all;
}

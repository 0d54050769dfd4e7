#include "run/PortRow.h"

#include <algorithm>
#include <cmath>

#include "model/Case.h"

double OutfallAxisAngle(double currentAngleDeg) {
    // 180 - currentAngle + psi = 0 (mod 180)
    double psi = std::fmod(currentAngleDeg - 180.0, 180.0);
    if (psi < 0.0) psi += 180.0;
    // -0 and a remainder rounded up to 180 are both 0.
    if (psi >= 180.0 || psi == 0.0) psi = 0.0;
    return psi;
}

PortRow OutfallPortRow(const CRiser& outfall, bool noRiser, double currentAngleDeg) {
    PortRow row;
    row.m_dAxisDeg = OutfallAxisAngle(currentAngleDeg);
    int ports = 0;
    double nearest = 0.0, farthest = 0.0;
    for (const auto& riser : outfall.m_Risers) {
        const int k = riser->GetJetCount();
        if (k == 0) continue;  // a riser without ports adds nothing to the row
        const double d = riser->m_dDistance;
        if (row.m_nRisers == 0 || d < nearest) nearest = d;
        if (row.m_nRisers == 0 || d > farthest) farthest = d;
        ++row.m_nRisers;
        ports += k;
    }
    row.m_nPorts = std::max(1, ports);
    if (noRiser) {
        // The scene places the ports of the pipe at the jet spacing.
        row.m_nRisers = 0;
        row.m_dSpacing = std::isfinite(outfall.m_dJetSpacing) ? std::max(0.0, outfall.m_dJetSpacing) : 0.0;
    } else if (row.m_nRisers >= 2) {
        row.m_dRiserSpacing = (farthest - nearest) / (row.m_nRisers - 1);
        row.m_dSpacing = row.m_dRiserSpacing * row.m_nRisers / row.m_nPorts;
        if (!std::isfinite(row.m_dSpacing)) row.m_dSpacing = 0.0;
    }
    return row;
}

PortRow OutfallPortRow(const CCase& doc, const CRiser& outfall) {
    return OutfallPortRow(outfall, doc.IsNoRiser(), doc.CurrentAngle());
}

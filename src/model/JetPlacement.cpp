#include "model/JetPlacement.h"

#include <cmath>

#include "base/Angles.h"
#include "base/MatrixFunctions.h"
#include "model/Riser.h"

void ComputeJetPlacement(const JetPlacementInput& in, const CRiser& outfall, const CBase& riser, int k, CJet& jet,
                         double out[16]) {
    double lift[16], base[16], along[16], port[16];
    MatTranslate(lift, 0.0, in.m_dWaterDepth, 0.0);
    MatTranslate(base, outfall.m_dPosition[0], -outfall.m_dDepth, outfall.m_dPosition[2]);
    if (in.m_bNoRiser) MatTranslate(along, 0.0, 0.0, k * outfall.m_dJetSpacing);
    else MatTranslate(along, 0.0, 0.0, riser.m_dDistance);

    // The port on the riser surface, facing 180 - current angle + the jet's
    // horizontal angle.
    const double a = (180.0 - in.m_dCurrentAngle + jet.m_dHAngle) * kDegToRad;
    const double rho = riser.RadiusAt(jet.m_dPortHeight);
    jet.m_dPortPos[0] = rho * std::sin(a);
    jet.m_dPortPos[1] = jet.m_dPortHeight;
    jet.m_dPortPos[2] = rho * std::cos(a);
    MatTranslate(port, jet.m_dPortPos[0], jet.m_dPortPos[1], jet.m_dPortPos[2]);

    if (in.m_bNoRiser) {
        // Without risers the jet leaves at the end of a bent nozzle.
        const double r = jet.m_dDiameter / 2.0 + 0.001;
        const double phi = (90.0 - jet.m_dVAngle) * kDegToRad;
        const double len = jet.m_dNozzleLength;
        const double e = std::sin(phi) * len + (1.0 - std::cos(phi)) * r;
        const double f = std::tan(phi / 2.0) * r + len + std::cos(phi) * len;
        const double h = jet.m_dHAngle * kDegToRad;
        double elbow[16];
        MatTranslate(elbow, std::cos(h) * e, f, -std::sin(h) * e);
        MatMultiply(port, elbow, port);
    }
    MatMultiply(lift, base, out);
    MatMultiply(out, along, out);
    MatMultiply(out, port, out);
}

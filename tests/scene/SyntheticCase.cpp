#include "SyntheticCase.h"

#include <cmath>
#include <memory>

#include "model/Case.h"

void FillPlumeDisks(CJet& jet, int nDisks, double dRise, double dRun, double dTurn) {
    auto& disks = jet.m_pDisplay->m_Disks;
    disks.clear();
    for (int i = 0; i < nDisks; ++i) {
        const double t = nDisks > 1 ? double(i) / (nDisks - 1) : 0.0;
        CJetDisk d;
        const double along = dRun * t;
        d.m_dX = along * std::cos(dTurn * (1.0 - t));
        d.m_dY = along * std::sin(dTurn * (1.0 - t));
        d.m_dZ = dRise * (1.0 - std::exp(-4.0 * t)) / (1.0 - std::exp(-4.0));
        // Direction from the slope of the path.
        const double dz = dRise * 4.0 * std::exp(-4.0 * t) / (1.0 - std::exp(-4.0));
        d.m_dVAngle = std::atan2(dz, dRun);
        d.m_dHAngle = dTurn * (1.0 - t);
        d.m_dRadius = 0.05 + 2.5 * t * t;
        d.m_dMeanConc = 1.0 / (1.0 + 80.0 * t * t + 20.0 * t);
        d.m_dMaxConc = std::min(1.0, 1.47 * d.m_dMeanConc);
        d.m_dDilution = 1.0 / d.m_dMeanConc;
        // The velocity falls near the port and picks up again in the far field.
        d.m_dVelocity = 1.6 * std::exp(-12.0 * t) + 0.05 + 0.4 * t * t;
        d.m_dThickness = 0.02 + 0.1 * t;
        disks.push_back(d);
    }
    jet.m_KeyParams.m_nSteps = nDisks;
}

void BuildSyntheticCase(CCase& doc, int nJets, int nDisks) {
    doc.ResetToNew();
    doc.SetProfile({{0.0, 1.0245, 0.0, 0.1}, {20.0, 1.0250, 0.0, 0.05}});
    doc.SetWaterDepth(20.0);
    auto outfall = std::make_unique<CRiser>();
    outfall->m_strName = "Outfall1";
    outfall->m_dDepth = 20.0;
    outfall->m_dLength = 20.0 * ((nJets + 1) / 2) + 20.0;
    int made = 0;
    for (int r = 0; made < nJets; ++r) {
        auto riser = std::make_unique<CBase>();
        riser->m_strName = "Riser" + std::to_string(r + 1);
        riser->m_dDistance = 10.0 + 20.0 * r;
        for (int k = 0; k < 2 && made < nJets; ++k, ++made) {
            auto jet = std::make_unique<CJet>();
            jet->m_strName = "Jet" + std::to_string(k + 1);
            jet->m_dHAngle = k == 0 ? 0.0 : 180.0;
            // Plumes of different rise, so that values and shapes differ.
            FillPlumeDisks(*jet, nDisks, 12.0 + (made % 5), 30.0 + 4.0 * (made % 3), k == 0 ? 0.6 : 2.5);
            riser->AppendJet(std::move(jet));
        }
        outfall->AppendRiser(std::move(riser));
    }
    doc.InsertOutfall(doc.GetOutfallCount(), std::move(outfall));
    // Built as if just opened: nothing to save yet.
    doc.SetModifiedFlag(false);
}

#include "SectionCase.h"

#include <cmath>

#include "base/Angles.h"
#include "base/MatrixFunctions.h"

std::vector<StraightJet> FiftyPlumes() {
    std::vector<StraightJet> jets(50);
    for (int k = 0; k < 50; ++k) {
        StraightJet& s = jets[k];
        s.m_dStart[0] = 0.0;
        s.m_dStart[1] = 4.0 * k - 100.0;
        s.m_dStart[2] = 0.0;
        s.m_dHAngle = 0.0;
        s.m_dVAngle = 30.0 * kPi / 180.0;
        s.m_dRadius = 2.5;
        s.m_nDisks = 1500;
        s.m_dStep = 0.04;
        s.m_dFlow = 0.05;
    }
    return jets;
}

void BuildSectionCase(CCase& doc, const std::vector<StraightJet>& jets, double current) {
    doc.SetProfile({{0.0, 1.02, 0.0, current * 1.5}, {30.0, 1.025, 0.0, current * 0.5}});
    doc.SetWaterDepth(30.0);
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    CBase* riser = doc.GetCurrentRiser();
    while (riser->GetJetCount() < static_cast<int>(jets.size())) doc.Add(TreeLevel::Jet);
    doc.GetCurrentOutfall()->m_dDepth = 29.0;
    for (std::size_t n = 0; n < jets.size(); ++n) {
        const StraightJet& s = jets[n];
        CJet& j = *riser->m_Jets[n];
        j.m_dHAngle = 0.0;  // same port for all: the disks say where each jet runs
        j.m_dVAngle = 0.0;
        j.m_dPortHeight = 1.0;
        j.m_dFlow = s.m_dFlow;
        j.m_nVisible = 1;
        auto& disks = j.m_pDisplay->m_Disks;
        disks.clear();
        const double dir[3] = {std::cos(s.m_dVAngle) * std::cos(s.m_dHAngle),
                               std::cos(s.m_dVAngle) * std::sin(s.m_dHAngle), std::sin(s.m_dVAngle)};
        for (int i = 0; i < s.m_nDisks; ++i) {
            CJetDisk d;
            d.m_dX = s.m_dStart[0] + dir[0] * s.m_dStep * i;
            d.m_dY = s.m_dStart[1] + dir[1] * s.m_dStep * i;
            d.m_dZ = s.m_dStart[2] + dir[2] * s.m_dStep * i;
            d.m_dRadius = s.m_dRadius;
            d.m_dHAngle = s.m_dHAngle;
            d.m_dVAngle = s.m_dVAngle;
            d.m_dMeanConc = s.m_dConc;
            d.m_dMaxConc = s.m_dConc;
            d.m_dDilution = s.m_dDilution;
            d.m_dVelocity = 0.3;
            d.m_dThickness = 0.1;
            disks.push_back(d);
        }
    }
    doc.PlaceJets();
}

void DiskCentre(const CJet& jet, int k, double out[3]) {
    double m[16];
    const double origin[3] = {0.0, 0.0, 0.0};
    jet.m_pDisplay->DiskMatrix(jet.m_pDisplay->m_Disks[k], m);
    MatTransformPoint(m, origin, out);
}

#include "CaseBuilder.h"

#include <cstring>

void BuildSmallCase(CCase& doc, bool withResults) {
    doc.SetProfile({{0.0, 35.0, 20.0, 0.1}, {30.0, 35.5, 12.0, 0.05}});
    doc.SetWaterDepth(30.0);
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    doc.Add(TreeLevel::Jet);
    doc.Add(TreeLevel::Riser);
    CRiser* o = doc.GetOutfall(0);
    o->m_dDepth = 29.0;
    o->m_dPosition[0] = 5.5;
    int n = 0;
    doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) {
        ++n;
        j.m_dFlow = 0.01 * n;
        j.m_dDiameter = 0.1 + 0.01 * n;
        j.m_dTemperature = 18.0;
        j.m_dSalinity = 0.5;
        if (!withResults) return;
        std::snprintf(j.m_KeyParams.m_szTitle, sizeof j.m_KeyParams.m_szTitle, "%s", j.m_strName.c_str());
        j.m_KeyParams.m_dFd = 11.5 + n;
        j.m_KeyParams.m_nPorts = 1;
        j.m_KeyParams.m_nSteps = 3;
        j.m_strStatus = "Plume reached the water surface";
        for (int d = 0; d < 3; ++d) {
            CJetDisk disk;
            disk.m_dRadius = 0.05 + d;
            disk.m_dX = d * 1.5;
            disk.m_dY = -0.25 * d;
            disk.m_dZ = d * 2.0;
            disk.m_dMeanConc = 1.0 / (1 + d);
            disk.m_dMaxConc = 1.0;
            disk.m_dDilution = 1 + d * 10.0;
            disk.m_dVelocity = 1.7 - d * 0.1;
            disk.m_dVAngle = 0.5;
            disk.m_dHAngle = 0.25;
            disk.m_dUnnamed = d * 0.3;
            disk.m_dThickness = 0.02;
            j.m_pDisplay->m_Disks.push_back(disk);
        }
        j.m_RangeMin = CRangeRecord(0.1f);
        j.m_RangeMax = CRangeRecord(2.5f);
    });
}

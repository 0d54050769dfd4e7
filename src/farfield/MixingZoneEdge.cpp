#include "farfield/MixingZoneEdge.h"

#include <algorithm>
#include <cmath>

#include "farfield/OutfallFarField.h"
#include "model/Case.h"

bool FindMixingZoneEdge(const CCase& doc, int outfall, MixingZoneEdge& edge) {
    const OutfallFarField f = ComputeOutfallFarField(doc, outfall);
    if (f.m_eStatus != FarFieldStatus::Computed) return false;
    const WastefieldStart& s = f.m_Start;
    const double distance = doc.GetFarField().m_dMixingZone;
    const double x = std::max(0.0, distance - s.m_dAlong);
    const double width = s.m_dWidth * std::pow(1.0 + 2.0 / 3.0 * f.m_dBeta * x / s.m_dWidth, 1.5);
    const double surface = doc.Ambient() ? doc.Ambient()->m_dWaterDepth : 0.0;
    const double cx = s.m_dDiffuser[0] + distance * s.m_dCurrentDir[0];
    const double cz = s.m_dDiffuser[2] + distance * s.m_dCurrentDir[1];
    // Across the current: the current's direction turned a quarter.
    const double ax = -s.m_dCurrentDir[1] * width / 2.0, az = s.m_dCurrentDir[0] * width / 2.0;
    edge.m_dFrom[0] = cx - ax;
    edge.m_dFrom[1] = surface;
    edge.m_dFrom[2] = cz - az;
    edge.m_dTo[0] = cx + ax;
    edge.m_dTo[1] = surface;
    edge.m_dTo[2] = cz + az;
    return true;
}

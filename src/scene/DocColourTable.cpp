// The colour transfer table of the sorted display: histogram equalisation of
// the mean concentration or (in the other modes) the velocity of all disks.
#include <algorithm>
#include <vector>

#include "model/PlumexDoc.h"
#include "scene/ColourTable.h"

void CPlumexDoc::BuildColourTable(ColourMode mode) {
    const int q = mode == ColourMode::Concentration ? 0 : 3;  // value quadruple index
    double lo = 10000.0, hi = -20.0;
    std::vector<double> values;
    ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) {
        const auto& disks = j.m_pDisplay->m_Disks;
        if (disks.empty()) return;
        lo = std::min(lo, static_cast<double>(j.m_RangeMin.Get(q)));
        hi = std::max(hi, static_cast<double>(j.m_RangeMax.Get(q)));
        for (const CJetDisk& d : disks) values.push_back(q == 0 ? d.m_dMeanConc : d.m_dVelocity);
    });
    FillColourTable(m_ColourTable, values, lo, hi);
}

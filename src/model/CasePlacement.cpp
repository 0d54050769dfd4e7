// Placing the jets' results after a run or a load: each jet's display
// record on its structure, then the value ranges. The tubes are made from
// these when a view or a section first needs them.
#include "base/AppState.h"
#include "model/Case.h"
#include "model/JetPlacement.h"

namespace {
JetPlacementInput PlacementInput(const CCase& doc) {
    JetPlacementInput in;
    in.m_dWaterDepth = doc.Ambient() ? doc.Ambient()->m_dWaterDepth : 0.0;
    in.m_dCurrentAngle = doc.CurrentAngle();
    in.m_bNoRiser = doc.IsNoRiser();
    return in;
}

void PlaceJet(const JetPlacementInput& in, const CRiser& outfall, const CBase& riser, int k, CJet& jet) {
    double m[16];
    CJetDispModal& disp = *jet.m_pDisplay;
    disp.m_dDisplayAngle = in.m_dCurrentAngle;
    ComputeJetPlacement(in, outfall, riser, k, jet, m);
    disp.SetPlacement(m);
    disp.ScheduleTube(in.m_dWaterDepth, true);
}
}  // namespace

void CCase::PlaceJets() {
    const JetPlacementInput in = PlacementInput(*this);
    ForEachJet([&](int, int, int k, CRiser& o, CBase& r, CJet& j) { PlaceJet(in, o, r, k, j); });
    ComputeValueRanges();
    ++m_nPlacementGeneration;
    InvalidateDisplays();
}

void CCase::PlaceJets(int outfall, int riser, int firstJet, int count) {
    const JetPlacementInput in = PlacementInput(*this);
    CRiser* o = GetOutfall(outfall);
    CBase* r = o ? o->GetRiser(riser) : nullptr;
    if (r) {
        for (int k = firstJet < 0 ? 0 : firstJet; k < firstJet + count && k < r->GetJetCount(); ++k)
            PlaceJet(in, *o, *r, k, *r->m_Jets[k]);
    }
    ComputeValueRanges();
    ++m_nPlacementGeneration;
    InvalidateDisplays();
}

void CCase::SetRingInterval(int interval) {
    if (interval < 1) interval = 1;
    const double depth = m_pAmbient ? m_pAmbient->m_dWaterDepth : 0.0;
    bool changed = false;
    ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) {
        CJetDispModal& disp = *j.m_pDisplay;
        if (disp.m_nRingInterval == interval) return;
        disp.m_nRingInterval = interval;
        disp.ScheduleTube(depth, true);
        changed = true;
    });
    // The same rings again (a mouse mode chosen twice) keep the sort tree.
    if (changed) InvalidateDisplays();
}

#include "ui/ItemFormSet.h"

#include "base/DocObserver.h"
#include "base/Prompt.h"
#include "model/PlumexDoc.h"
#include "ui/JetForm.h"
#include "ui/OutfallForm.h"
#include "ui/RiserForm.h"
#include "validation/StructureCheck.h"

namespace {
bool Same(const OutfallData& a, const OutfallData& b) {
    return a.m_dDepth == b.m_dDepth && a.m_dWidth == b.m_dWidth && a.m_dTemperature == b.m_dTemperature &&
           a.m_dSalinity == b.m_dSalinity && a.m_dDensity == b.m_dDensity && a.m_dLength == b.m_dLength &&
           a.m_dJetSpacing == b.m_dJetSpacing && a.m_dPositionX == b.m_dPositionX && a.m_nVisible == b.m_nVisible;
}
bool Same(const RiserData& a, const RiserData& b) {
    return a.m_dDistance == b.m_dDistance && a.m_dTopRadius == b.m_dTopRadius &&
           a.m_dBottomRadius == b.m_dBottomRadius && a.m_dHeight == b.m_dHeight && a.m_dTotalFlow == b.m_dTotalFlow &&
           a.m_nVisible == b.m_nVisible;
}
bool Same(const JetData& a, const JetData& b) {
    return a.m_dDiameter == b.m_dDiameter && a.m_dFlow == b.m_dFlow && a.m_dPortHeight == b.m_dPortHeight &&
           a.m_dHAngle == b.m_dHAngle && a.m_dSalinity == b.m_dSalinity && a.m_dTemperature == b.m_dTemperature &&
           a.m_dVAngle == b.m_dVAngle && a.m_nVisible == b.m_nVisible;
}
}  // namespace

void CItemFormSet::Load(const CPlumexDoc& doc) const {
    if (const CRiser* o = doc.GetCurrentOutfall()) m_pOutfall->Load(o->GetData());
    if (const CBase* r = doc.GetCurrentRiser()) m_pRiser->Load(r->GetData());
    if (const CJet* j = doc.GetCurrentJet()) m_pJet->Load(j->GetData());
    m_pOutfall->SetNoRiser(doc.m_bNoRiser);
}

bool CItemFormSet::Commit(CPlumexDoc& doc, int level, CheckSurface surface, bool* changed) const {
    if (changed) *changed = false;
    CRiser* outfall = doc.GetCurrentOutfall();
    if (level <= 0 || !outfall) return true;
    const bool noRiser = doc.m_bNoRiser;
    auto refuse = [&doc](const std::vector<CheckFailure>& failures) {
        if (failures.empty()) return false;
        doc.Prompt().Inform(failures.front().m_strMessage);
        return true;
    };

    if (!m_pOutfall->TakeOver()) return false;
    const OutfallData od = m_pOutfall->Data();
    if (refuse(CheckOutfallValues(od, noRiser))) return false;
    // Values stored unchanged are no change: the case stays unmodified.
    if (!Same(od, outfall->GetData())) {
        outfall->SetData(od);
        doc.PropagateEffluent(*outfall);
        doc.ItemChanged(DocItemLevel::Outfall);
        if (changed) *changed = true;
    }
    CBase* riser = doc.GetCurrentRiser();
    if (level == 1 || !riser) return true;

    if (!m_pRiser->TakeOver()) return false;
    const RiserData rd = m_pRiser->Data();
    if (refuse(CheckRiserValues(rd, od, noRiser))) return false;
    if (!Same(rd, riser->GetData())) {
        riser->SetData(rd);
        CPlumexDoc::DistributeRiserFlow(*riser);
        doc.ItemChanged(DocItemLevel::Riser);
        if (changed) *changed = true;
    }
    CJet* jet = doc.GetCurrentJet();
    if (level == 2 || !jet) return true;

    if (!m_pJet->TakeOver()) return false;
    const JetData jd = m_pJet->Data();
    if (refuse(CheckJetValues(jd, riser->GetData(), noRiser, surface))) return false;
    if (!Same(jd, jet->GetData())) {
        jet->SetData(jd);
        doc.SetJetFlowAll(jd.m_dFlow);
        doc.ItemChanged(DocItemLevel::Jet);
        if (changed) *changed = true;
    }
    return true;
}

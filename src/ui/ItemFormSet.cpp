#include "ui/ItemFormSet.h"

#include "base/DocObserver.h"
#include "base/Prompt.h"
#include "model/PlumexDoc.h"
#include "ui/JetForm.h"
#include "ui/OutfallForm.h"
#include "ui/RiserForm.h"
#include "validation/StructureCheck.h"

void CItemFormSet::Load(const CPlumexDoc& doc) const {
    if (const CRiser* o = doc.GetCurrentOutfall()) m_pOutfall->Load(o->GetData());
    if (const CBase* r = doc.GetCurrentRiser()) m_pRiser->Load(r->GetData());
    if (const CJet* j = doc.GetCurrentJet()) m_pJet->Load(j->GetData());
    m_pOutfall->SetNoRiser(doc.m_bNoRiser);
}

bool CItemFormSet::Commit(CPlumexDoc& doc, int level, CheckSurface surface) const {
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
    outfall->SetData(od);
    doc.PropagateEffluent(*outfall);
    doc.ItemChanged(DocItemLevel::Outfall);
    CBase* riser = doc.GetCurrentRiser();
    if (level == 1 || !riser) return true;

    if (!m_pRiser->TakeOver()) return false;
    const RiserData rd = m_pRiser->Data();
    if (refuse(CheckRiserValues(rd, od, noRiser))) return false;
    riser->SetData(rd);
    CPlumexDoc::DistributeRiserFlow(*riser);
    doc.ItemChanged(DocItemLevel::Riser);
    CJet* jet = doc.GetCurrentJet();
    if (level == 2 || !jet) return true;

    if (!m_pJet->TakeOver()) return false;
    const JetData jd = m_pJet->Data();
    if (refuse(CheckJetValues(jd, riser->GetData(), noRiser, surface))) return false;
    jet->SetData(jd);
    doc.SetJetFlowAll(jd.m_dFlow);
    doc.ItemChanged(DocItemLevel::Jet);
    return true;
}

#include "ui/ItemFormSet.h"

#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "edit/EditHistory.h"
#include "edit/ItemValuesCommand.h"
#include "ui/JetForm.h"
#include "ui/OutfallForm.h"
#include "ui/RiserForm.h"

void CItemFormSet::Load(const CPlumexDoc& doc) const {
    if (const CRiser* o = doc.GetCurrentOutfall()) m_pOutfall->Load(o->GetData());
    if (const CBase* r = doc.GetCurrentRiser()) m_pRiser->Load(r->GetData());
    if (const CJet* j = doc.GetCurrentJet()) m_pJet->Load(j->GetData());
    m_pOutfall->SetNoRiser(doc.IsNoRiser());
}

bool CItemFormSet::Commit(CPlumexDoc& doc, int level, CheckSurface surface, bool* changed,
                          CEditHistory* history) const {
    if (changed) *changed = false;
    if (level <= 0 || !doc.GetCurrentOutfall()) return true;
    // Each record's values go in as one edit, checked first: a refused
    // value is named and nothing of that record is stored.
    auto store = [&](const CItemValuesCommand::Values& values) {
        std::string refusal;
        auto cmd = CItemValuesCommand::Make(doc, values, surface, &refusal);
        if (!refusal.empty()) {
            doc.Prompt().Inform(refusal);
            return false;
        }
        if (CEditHistory::Apply(history, std::move(cmd)) && changed) *changed = true;
        return true;
    };

    if (!m_pOutfall->TakeOver() || !store(m_pOutfall->Data())) return false;
    if (level == 1 || !doc.GetCurrentRiser()) return true;

    if (!m_pRiser->TakeOver() || !store(m_pRiser->Data())) return false;
    if (level == 2 || !doc.GetCurrentJet()) return true;

    return m_pJet->TakeOver() && store(m_pJet->Data());
}

#include "ui/ItemFormSet.h"

#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "edit/EditHistory.h"
#include "edit/ItemValuesCommand.h"
#include "ui/JetForm.h"
#include "ui/NumberField.h"
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
    // Each record's values go in as one edit, checked first. A refused value
    // is named with the range it may take here, and its field shows the
    // stored value again; the record's other new values are then stored.
    auto store = [&](CItemForm& form, auto values) {
        bool refused = false;
        // Each round puts back at least one field: the rounds end.
        for (int round = 0; round < 16; ++round) {
            std::string refusal;
            CheckFailure failure;
            auto cmd = CItemValuesCommand::Make(doc, values(), surface, &refusal, &failure);
            if (refusal.empty()) {
                if (CEditHistory::Apply(history, std::move(cmd)) && changed) *changed = true;
                form.MarkStored();
                return !refused;
            }
            const QString field = form.RestoreRefused(failure.m_strField);
            if (!refused) {
                std::string message = refusal;
                if (!failure.m_strAllowed.empty()) message += " Here: " + failure.m_strAllowed + ".";
                if (!field.isEmpty()) message += " " + field.toStdString() + " is back at its stored value.";
                doc.Prompt().Inform(message);
            }
            refused = true;
            if (field.isEmpty()) return false;  // nothing typed to put back: the record itself is refused
        }
        return false;
    };

    if (!m_pOutfall->TakeOver() || !store(*m_pOutfall, [this] { return m_pOutfall->Data(); })) return false;
    if (level == 1 || !doc.GetCurrentRiser()) return true;

    if (!m_pRiser->TakeOver() || !store(*m_pRiser, [this] { return m_pRiser->Data(); })) return false;
    if (level == 2 || !doc.GetCurrentJet()) return true;

    return m_pJet->TakeOver() && store(*m_pJet, [this] { return m_pJet->Data(); });
}

#include "edit/TreeEditCommand.h"

#include "base/DocObserver.h"
#include "model/Case.h"

namespace {
int CountAt(const CCase& doc, TreeLevel level) {
    if (level == TreeLevel::Outfall) return doc.GetOutfallCount();
    int n = 0;
    for (int i = 0; i < doc.GetOutfallCount(); ++i) {
        const CRiser* o = doc.GetOutfall(i);
        if (level == TreeLevel::Riser) n += o->GetRiserCount();
        else
            for (int j = 0; j < o->GetRiserCount(); ++j) n += o->GetRiser(j)->GetJetCount();
    }
    return n;
}
}  // namespace

std::unique_ptr<CTreeEditCommand> CTreeEditCommand::Make(CCase& doc, Kind kind, TreeLevel level) {
    if (doc.IsRunInFlight()) return nullptr;
    if (kind == Kind::Delete && !ItemPath::Current(doc, level).IsValid()) return nullptr;
    return std::unique_ptr<CTreeEditCommand>(new CTreeEditCommand(doc, kind, level));
}

CTreeEditCommand::CTreeEditCommand(CCase& doc, Kind kind, TreeLevel level)
    : CCaseCommand(doc), m_eKind(kind), m_eLevel(level) {
    if (kind == Kind::Delete) {
        m_item = ItemPath::Current(doc, level);
        setText(QString::fromStdString("Delete " + m_item.Label(doc)));
    }
}

void CTreeEditCommand::FirstApply() {
    m_bApplied = true;
    m_selBefore = SelectionPath::Current(m_doc);
    if (m_eKind == Kind::Delete) {
        m_subtree = Subtree::Take(m_doc, m_item);
        m_doc.Delete(m_eLevel);
        m_selAfter = SelectionPath::Current(m_doc);
        return;
    }
    const int before = CountAt(m_doc, m_eLevel);
    if (m_eKind == Kind::Create) m_doc.Create(m_eLevel);
    else m_doc.Add(m_eLevel);
    m_selAfter = SelectionPath::Current(m_doc);
    if (CountAt(m_doc, m_eLevel) == before) {
        // Nothing was made (no parent, or a scenario without risers that
        // has its one riser): not an edit.
        setObsolete(true);
        return;
    }
    m_item = ItemPath::Current(m_doc, m_eLevel);
    setText(QString::fromStdString((m_eKind == Kind::Create ? "Create " : "Add ") + m_item.Label(m_doc)));
}

void CTreeEditCommand::Insert(const SelectionPath& selection) {
    if (!m_subtree.Insert(m_doc, m_item)) return;
    selection.Restore(m_doc);
    m_doc.ItemRestored(m_item.m_eLevel, m_item.m_nOutfall, m_item.m_nRiser, m_item.m_nJet);
}

void CTreeEditCommand::Remove(const SelectionPath& selection) {
    // The results computed since the item came back go with it.
    m_subtree = Subtree::Take(m_doc, m_item);
    SelectionPath::Select(m_doc, m_item);
    m_doc.Delete(m_item.m_eLevel);
    selection.Restore(m_doc);
    m_doc.NotifySelection();
}

void CTreeEditCommand::Apply(bool forward) {
    if (forward && !m_bApplied) return FirstApply();
    if (!m_item.IsValid()) return;
    const bool removes = (m_eKind == Kind::Delete) == forward;
    if (removes) {
        Remove(forward ? m_selAfter : m_selBefore);
    } else {
        Insert(forward ? m_selAfter : m_selBefore);
        // The jets that came back with their results cross the plane again.
        m_doc.RecomputeSection(false);
    }
}

#include "edit/ItemPath.h"

#include "model/Case.h"
#include "model/JetLabel.h"

ItemPath ItemPath::Current(const CCase& doc, TreeLevel level) {
    ItemPath p;
    p.m_eLevel = level;
    const CurrentNames n = doc.GetCurrentNames();
    if (n.m_nOutfall < 0) return p;
    if (level == TreeLevel::Outfall) {
        p.m_nOutfall = n.m_nOutfall;
    } else if (level == TreeLevel::Riser) {
        if (n.m_nRiser < 0) return p;
        p.m_nOutfall = n.m_nOutfall;
        p.m_nRiser = n.m_nRiser;
    } else {
        if (n.m_nJet < 0) return p;
        p.m_nOutfall = n.m_nOutfall;
        p.m_nRiser = n.m_nRiser;
        p.m_nJet = n.m_nJet;
    }
    return p;
}

CRiser* ItemPath::Outfall(const CCase& doc) const { return doc.GetOutfall(m_nOutfall); }

CBase* ItemPath::Riser(const CCase& doc) const {
    const CRiser* o = Outfall(doc);
    return o ? o->GetRiser(m_nRiser) : nullptr;
}

CJet* ItemPath::Jet(const CCase& doc) const {
    const CBase* r = Riser(doc);
    return r ? r->GetJet(m_nJet) : nullptr;
}

std::string ItemPath::Name(const CCase& doc) const {
    switch (m_eLevel) {
    case TreeLevel::Outfall:
        if (const CRiser* o = Outfall(doc)) return o->m_strName;
        break;
    case TreeLevel::Riser:
        if (const CBase* r = Riser(doc)) return r->m_strName;
        break;
    case TreeLevel::Jet:
        if (const CJet* j = Jet(doc)) return j->m_strName;
        break;
    }
    return {};
}

std::string ItemPath::Label(const CCase& doc) const {
    return m_eLevel == TreeLevel::Jet ? JetLabel(doc, m_nOutfall, m_nRiser, m_nJet) : Name(doc);
}

SelectionPath SelectionPath::Current(const CCase& doc) {
    SelectionPath s;
    s.m_nOutfall = doc.m_nCurrentOutfall;
    if (const CRiser* o = doc.GetCurrentOutfall()) {
        s.m_nRiser = o->m_nCurrentRiser;
        if (const CBase* r = o->GetCurrentRiser()) s.m_nJet = r->m_nCurrentJet;
    }
    return s;
}

void SelectionPath::Restore(CCase& doc) const {
    doc.m_nCurrentOutfall = m_nOutfall;
    CRiser* o = doc.GetCurrentOutfall();
    if (!o) return;
    o->m_nCurrentRiser = m_nRiser;
    if (CBase* r = o->GetCurrentRiser()) r->m_nCurrentJet = m_nJet;
}

void SelectionPath::Select(CCase& doc, const ItemPath& path) {
    if (!path.IsValid()) return;
    doc.m_nCurrentOutfall = path.m_nOutfall;
    CRiser* o = doc.GetCurrentOutfall();
    if (!o || path.m_eLevel == TreeLevel::Outfall) return;
    o->m_nCurrentRiser = path.m_nRiser;
    CBase* r = o->GetCurrentRiser();
    if (!r || path.m_eLevel == TreeLevel::Riser) return;
    r->m_nCurrentJet = path.m_nJet;
}

#include "model/JetLabel.h"

#include "model/Case.h"

namespace {
constexpr const char* kSeparator = " / ";
}  // namespace

std::string JetLabel(const CCase& doc, int outfall, int riser, const std::string& jetName) {
    const CRiser* o = doc.GetOutfall(outfall);
    const CBase* r = o ? o->GetRiser(riser) : nullptr;
    if (!r) return std::string();
    std::string label = jetName;
    if (!doc.IsNoRiser()) label = r->m_strName + kSeparator + label;
    if (doc.GetOutfallCount() > 1) label = o->m_strName + kSeparator + label;
    return label;
}

std::string JetLabel(const CCase& doc, int outfall, int riser, int jet) {
    const CRiser* o = doc.GetOutfall(outfall);
    const CBase* r = o ? o->GetRiser(riser) : nullptr;
    const CJet* j = r ? r->GetJet(jet) : nullptr;
    return j ? JetLabel(doc, outfall, riser, j->m_strName) : std::string();
}

std::string JetLabel(const CCase& doc, JetId id) {
    int o = 0, r = 0, j = 0;
    return doc.LocateJet(id, o, r, j) ? JetLabel(doc, o, r, j) : std::string();
}

std::string CurrentJetLabel(const CCase& doc) {
    const CurrentNames n = doc.GetCurrentNames();
    return n.m_nJet >= 0 ? JetLabel(doc, n.m_nOutfall, n.m_nRiser, n.m_nJet) : std::string();
}

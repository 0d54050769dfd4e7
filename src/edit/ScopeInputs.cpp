#include "edit/ScopeInputs.h"

#include "model/Case.h"

ScopeInputs ScopeInputs::Take(const CCase& doc, int outfall, int riser) {
    ScopeInputs s;
    s.m_nOutfall = outfall;
    s.m_nRiser = riser;
    const CRiser* o = doc.GetOutfall(outfall);
    if (!o) return s;
    s.m_Outfall = o->GetData();
    for (int i = 0; i < o->GetRiserCount(); ++i) {
        if (riser >= 0 && i != riser) continue;
        const CBase* r = o->GetRiser(i);
        s.m_Risers.push_back(r->GetData());
        std::vector<JetData> jets;
        for (const auto& j : r->m_Jets) jets.push_back(j->GetData());
        s.m_Jets.push_back(std::move(jets));
    }
    return s;
}

bool ScopeInputs::Restore(CCase& doc) const {
    CRiser* o = doc.GetOutfall(m_nOutfall);
    if (!o) return false;
    std::vector<CBase*> risers;
    for (int i = 0; i < o->GetRiserCount(); ++i)
        if (m_nRiser < 0 || i == m_nRiser) risers.push_back(o->GetRiser(i));
    if (risers.size() != m_Risers.size()) return false;
    for (std::size_t i = 0; i < risers.size(); ++i)
        if (risers[i]->GetJetCount() != static_cast<int>(m_Jets[i].size())) return false;
    if (m_nRiser < 0) o->SetData(m_Outfall);
    for (std::size_t i = 0; i < risers.size(); ++i) {
        risers[i]->SetData(m_Risers[i]);
        for (std::size_t k = 0; k < m_Jets[i].size(); ++k) risers[i]->m_Jets[k]->SetData(m_Jets[i][k]);
    }
    return true;
}

#include "model/PlumexDoc.h"

#include <algorithm>

#include "model/AppState.h"
#include "model/DocObserver.h"
#include "model/Prompt.h"
#include "model/UniqueName.h"

CPlumexDoc::CPlumexDoc(CAppState& app, CPrompt& prompt)
    : m_pAmbient(std::make_unique<CAmbient>()), m_app(app), m_prompt(prompt) {
    for (int i = 0; i < 256; ++i) {
        m_ColourTable[i].m_nLowLevel = i;
        m_ColourTable[i].m_nHighLevel = i + 1;
        m_ColourTable[i].m_dFromValue = 100.0;
    }
    m_CutPlane.m_pDoc = this;
}

CPlumexDoc::~CPlumexDoc() = default;

void CPlumexDoc::AddObserver(CDocObserver* o) {
    if (o && std::find(m_Observers.begin(), m_Observers.end(), o) == m_Observers.end())
        m_Observers.push_back(o);
}

void CPlumexDoc::RemoveObserver(CDocObserver* o) {
    m_Observers.erase(std::remove(m_Observers.begin(), m_Observers.end(), o), m_Observers.end());
}

void CPlumexDoc::Notify(DocEvent e) {
    // Copy: an observer may unregister itself while it is told.
    const std::vector<CDocObserver*> observers = m_Observers;
    for (CDocObserver* o : observers) o->OnDocEvent(e);
}

void CPlumexDoc::UpdateAllViews() { Notify(DocEvent::ViewsUpdate); }

void CPlumexDoc::DeleteContents() {
    m_pAmbient.reset();
    m_Outfalls.clear();
    m_nCurrentOutfall = 0;
    // The drawing list holds the polygons of the jets just deleted.
    m_pSortTree.reset();
}

void CPlumexDoc::ResetToNew() {
    DeleteContents();
    m_pAmbient = std::make_unique<CAmbient>();
    m_bTutorial = false;
    for (int& n : m_nLastPick) n = 0;
    m_RangeMin = CRangeRecord::FreshMin();
    m_RangeMax = CRangeRecord::FreshMax();
    m_strVersion = kCurrentFileVersion;
    m_fCurrentAngle = 90.0f;
    m_dDisplayLength = 20.0;
    m_bModified = false;
}

void CPlumexDoc::SetModifiedFlag(bool modified) {
    Notify(DocEvent::InputBarRefresh);
    m_bModified = modified;
}

// --- the tree ---

CRiser* CPlumexDoc::GetCurrentOutfall() const { return GetOutfall(m_nCurrentOutfall); }

CBase* CPlumexDoc::GetCurrentRiser() const {
    const CRiser* o = GetCurrentOutfall();
    return o ? o->GetCurrentRiser() : nullptr;
}

CJet* CPlumexDoc::GetCurrentJet() const {
    const CBase* r = GetCurrentRiser();
    return r ? r->GetCurrentJet() : nullptr;
}

CurrentNames CPlumexDoc::GetCurrentNames() const {
    CurrentNames n;
    const CRiser* o = GetCurrentOutfall();
    if (!o) return n;
    n.m_nOutfall = m_nCurrentOutfall;
    n.m_strOutfall = o->m_strName;
    const CBase* r = o->GetCurrentRiser();
    if (!r) return n;
    n.m_nRiser = o->m_nCurrentRiser;
    n.m_strRiser = r->m_strName;
    const CJet* j = r->GetCurrentJet();
    if (!j) return n;
    n.m_nJet = r->m_nCurrentJet;
    n.m_strJet = j->m_strName;
    return n;
}

CJet* CPlumexDoc::FindJet(const std::string& outfall, const std::string& riser, const std::string& jet) const {
    for (const auto& o : m_Outfalls) {
        if (o->m_strName != outfall) continue;
        for (const auto& r : o->m_Risers) {
            if (r->m_strName != riser) continue;
            for (const auto& j : r->m_Jets)
                if (j->m_strName == jet) return j.get();
        }
    }
    return nullptr;
}

bool CPlumexDoc::CheckStructure() {
    const CRiser* o = GetOutfall(0);
    if (!o) {
        m_prompt.Inform("No outfall is defined.");
        return false;
    }
    const CBase* r = o->GetRiser(0);
    if (!r) {
        m_prompt.Inform("No riser is defined.");
        return false;
    }
    if (!r->GetJet(0)) {
        m_prompt.Inform("No jet is defined.");
        return false;
    }
    return true;
}

int CPlumexDoc::GetJetCount() const {
    int n = 0;
    ForEachJet([&n](int, int, int, CRiser&, CBase&, CJet&) { ++n; });
    return n;
}

std::string CPlumexDoc::MakeOutfallName() const {
    return MakeUniqueName(kOutfallNamePattern, m_Outfalls, [](const std::unique_ptr<CRiser>& o) { return o->m_strName; });
}

void CPlumexDoc::AppendNewJet(CBase& riser, const CJet* source) {
    const bool noRiser = m_app.m_bNoRiser;
    auto j = std::make_unique<CJet>(noRiser);
    j->m_strName = riser.MakeChildName();
    if (source) j->CopyFrom(source, noRiser);
    riser.AppendJet(std::move(j));
    riser.m_nCurrentJet = riser.GetJetCount() - 1;
}

void CPlumexDoc::Create(int level) {
    const bool noRiser = m_app.m_bNoRiser;
    if (level == 0) {
        auto o = std::make_unique<CRiser>();
        o->m_strName = MakeOutfallName();
        o->m_pGridLink = m_pGridLink;
        o->CopyFrom(nullptr, noRiser);
        m_Outfalls.push_back(std::move(o));
        m_nCurrentOutfall = GetOutfallCount() - 1;
    } else if (level == 1) {
        CRiser* o = GetCurrentOutfall();
        if (!o) return;
        if (noRiser && o->GetRiserCount() > 0) {
            o->m_nCurrentRiser = 0;
        } else {
            auto r = std::make_unique<CBase>();
            r->m_strName = o->MakeChildName();
            const CBase* last = o->GetRiserCount() > 0 ? o->m_Risers.back().get() : nullptr;
            // A copy keeps its own distance 0: distances are not copied.
            r->CopyFrom(last, noRiser);
            o->AppendRiser(std::move(r));
            o->m_nCurrentRiser = o->GetRiserCount() - 1;
        }
    } else if (level == 2) {
        CBase* r = GetCurrentRiser();
        if (!r) return;
        AppendNewJet(*r, nullptr);
    } else {
        return;
    }
    // Every new jet, and those a new riser brings, carry the case's angle.
    PropagateCurrentAngle();
    UpdateAllViews();
}

void CPlumexDoc::Add(int level) {
    const bool noRiser = m_app.m_bNoRiser;
    if (level == 1) {
        if (m_Outfalls.empty()) return Create(0);
        auto o = std::make_unique<CRiser>();
        o->m_strName = MakeOutfallName();
        o->m_pGridLink = m_pGridLink;
        o->CopyFrom(m_Outfalls.back().get(), noRiser);
        m_Outfalls.push_back(std::move(o));
        m_nCurrentOutfall = GetOutfallCount() - 1;
    } else if (level == 2) {
        CRiser* o = GetCurrentOutfall();
        if (!o) return;
        if (o->GetRiserCount() == 0) return Create(1);
        const int n = o->GetRiserCount();
        const double last = o->m_Risers[n - 1]->m_dDistance;
        double distance = last + 20.0;
        if (n >= 2) {
            const double prev = o->m_Risers[n - 2]->m_dDistance;
            distance = std::abs(prev - last) + last;
        }
        auto r = std::make_unique<CBase>();
        r->m_strName = o->MakeChildName();
        r->CopyFrom(o->m_Risers[n - 1].get(), noRiser);
        r->m_dDistance = distance;
        o->AppendRiser(std::move(r));
        o->m_nCurrentRiser = o->GetRiserCount() - 1;
    } else if (level == 3) {
        CBase* r = GetCurrentRiser();
        if (!r) return;
        AppendNewJet(*r, r->GetCurrentJet() ? r->m_Jets.back().get() : nullptr);
    } else {
        return;
    }
    // Every new jet, and those copied outfalls and risers bring, carry the
    // case's angle.
    PropagateCurrentAngle();
    UpdateAllViews();
}

namespace {
// Deletes item index of the list and keeps index within the shorter list;
// false when index names no item.
template <typename List>
bool DeleteAt(List& list, int& index) {
    if (index < 0 || index >= static_cast<int>(list.size())) return false;
    list.erase(list.begin() + index);
    if (index >= static_cast<int>(list.size())) index = static_cast<int>(list.size()) - 1;
    if (index < 0) index = 0;
    return true;
}
}  // namespace

void CPlumexDoc::Delete(int level) {
    bool deleted = false;
    if (level == 1) {
        deleted = DeleteAt(m_Outfalls, m_nCurrentOutfall);
    } else if (level == 2) {
        CRiser* o = GetCurrentOutfall();
        if (o) deleted = DeleteAt(o->m_Risers, o->m_nCurrentRiser);
    } else if (level == 3) {
        CBase* r = GetCurrentRiser();
        if (r) deleted = DeleteAt(r->m_Jets, r->m_nCurrentJet);
    }
    // Nothing selected at that level: nothing changes.
    if (!deleted) return;
    SetModifiedFlag(true);
    UpdateAllViews();
}

void CPlumexDoc::SetJetFlowAll(double flow) {
    CBase* r = GetCurrentRiser();
    if (!r) return;
    for (auto& j : r->m_Jets) j->m_dFlow = flow;
    r->m_dTotalFlow = r->GetJetCount() * flow;
}

void CPlumexDoc::PropagateEffluent(CRiser& outfall) {
    for (auto& r : outfall.m_Risers) {
        for (auto& j : r->m_Jets) {
            j->m_dTemperature = outfall.m_dTemperature;
            j->m_dSalinity = outfall.m_dTemperature != 0.0 ? outfall.m_dSalinity : outfall.m_dDensity;
            if (m_app.m_bNoRiser) j->m_dPortHeight = outfall.m_dWidth / 2.0;
        }
    }
}

void CPlumexDoc::DistributeRiserFlow(CBase& riser) {
    if (riser.GetJetCount() == 0) return;
    const double each = riser.m_dTotalFlow / riser.GetJetCount();
    for (auto& j : riser.m_Jets) j->m_dFlow = each;
}

CMaterialProperty* CPlumexDoc::GetCurrentMaterial(int level, bool second) const {
    switch (level) {
    case 1: {
        CRiser* o = GetCurrentOutfall();
        return o ? &o->m_Material : nullptr;
    }
    case 2: {
        CBase* r = GetCurrentRiser();
        return r ? &r->m_Material : nullptr;
    }
    case 3: {
        CJet* j = GetCurrentJet();
        if (!j) return nullptr;
        return second ? &j->m_MaterialB : &j->m_MaterialA;
    }
    default:
        return nullptr;
    }
}

void CPlumexDoc::SetCurrentAngle(float angle) {
    m_fCurrentAngle = angle;
    PropagateCurrentAngle();
}

void CPlumexDoc::PropagateCurrentAngle() {
    ForEachJet([this](int, int, int, CRiser&, CBase&, CJet& j) {
        j.m_dCurrentAngle = m_fCurrentAngle;
        j.m_pDisplay->m_dDisplayAngle = m_fCurrentAngle;
    });
}

// --- checks before a run ---

bool CPlumexDoc::CheckDepth() {
    if (!m_pAmbient || m_pAmbient->GetRowCount() == 0) return true;
    const CJet* jet = GetCurrentJet();
    if (!jet) return false;
    const double d = m_pAmbient->GetLastRow().m_dDepth;
    for (const auto& o : m_Outfalls) {
        if (o->m_dDepth - jet->m_dPortHeight > d) {
            if (!m_prompt.AskYesNo("The depth of ambient data must be equal to or greater than the depth of the "
                                   "jets.\nJet depth = Outfall depth - Jet's port height.\n Proceed or not?"))
                return false;
        }
    }
    if (m_pAmbient->m_dWaterDepth != d) {
        m_pAmbient->m_dWaterDepth = d;
        m_dDisplayLength = d;
        Notify(DocEvent::AmbientBoxChanged);
    }
    return true;
}

#include "model/Case.h"

#include <algorithm>

#include "base/AppState.h"
#include "base/DocObserver.h"
#include "base/Prompt.h"
#include "model/SectionColours.h"
#include "model/UniqueName.h"

CCase::CCase(CAppState& app, CPrompt& prompt) : m_app(app), m_prompt(prompt), m_pAmbient(std::make_unique<CAmbient>()) {
    m_bNoRiser = app.m_bNewCaseNoRiser;
}

CCase::~CCase() = default;

void CCase::AddObserver(CDocObserver* o) {
    if (o && std::find(m_Observers.begin(), m_Observers.end(), o) == m_Observers.end()) m_Observers.push_back(o);
}

void CCase::RemoveObserver(CDocObserver* o) {
    m_Observers.erase(std::remove(m_Observers.begin(), m_Observers.end(), o), m_Observers.end());
}

void CCase::Notify(const DocEvent& e) {
    // Copy: an observer may unregister itself while it is told.
    const std::vector<CDocObserver*> observers = m_Observers;
    for (CDocObserver* o : observers) o->OnDocEvent(e);
}

void CCase::UpdateAllViews() { Notify(DocEvent::ViewsUpdate); }

namespace {
// The event naming the current item of a level (indices -1 below it).
DocEvent CurrentItemEvent(const CCase& doc, DocEvent::Kind kind, DocItemLevel level) {
    const CurrentNames n = doc.GetCurrentNames();
    const bool riser = level == DocItemLevel::Riser || level == DocItemLevel::Jet;
    const bool jet = level == DocItemLevel::Jet;
    const CJet* j = jet ? doc.GetCurrentJet() : nullptr;
    return DocEvent::Item(kind, level, n.m_nOutfall, riser ? n.m_nRiser : -1, jet ? n.m_nJet : -1, j ? j->Id() : 0);
}
}  // namespace

void CCase::NotifySelection() {
    DocItemLevel level = DocItemLevel::None;
    if (GetCurrentJet()) level = DocItemLevel::Jet;
    else if (GetCurrentRiser()) level = DocItemLevel::Riser;
    else if (GetCurrentOutfall()) level = DocItemLevel::Outfall;
    Notify(CurrentItemEvent(*this, DocEvent::SelectionChanged, level));
}

void CCase::NotifyAdded(DocItemLevel level) {
    SetModifiedFlag(true);
    Notify(CurrentItemEvent(*this, DocEvent::ItemAdded, level));
}

void CCase::ItemChanged(DocItemLevel level) {
    SetModifiedFlag(true);
    Notify(CurrentItemEvent(*this, DocEvent::ItemChanged, level));
}

namespace {
// The member of the current item of the level, picked by the same member
// pointer of each record class; null without a current item there.
template <typename T>
T* CurrentMember(const CCase& c, TreeLevel level, T CRiser::*outfall, T CBase::*riser, T CJet::*jet) {
    switch (level) {
    case TreeLevel::Outfall:
        return c.GetCurrentOutfall() ? &(c.GetCurrentOutfall()->*outfall) : nullptr;
    case TreeLevel::Riser:
        return c.GetCurrentRiser() ? &(c.GetCurrentRiser()->*riser) : nullptr;
    case TreeLevel::Jet:
        return c.GetCurrentJet() ? &(c.GetCurrentJet()->*jet) : nullptr;
    }
    return nullptr;
}
}  // namespace

bool CCase::RenameCurrent(TreeLevel level, const std::string& name) {
    std::string* target = CurrentMember(*this, level, &CRiser::m_strName, &CBase::m_strName, &CJet::m_strName);
    if (!target) return false;
    *target = name;
    // The modified flag brings the input bar's tree up to date.
    SetModifiedFlag(true);
    UpdateAllViews();
    return true;
}

bool CCase::SetCurrentVisible(TreeLevel level, bool shown) {
    int* flag = CurrentMember(*this, level, &CRiser::m_nVisible, &CBase::m_nVisible, &CJet::m_nVisible);
    if (!flag) return false;
    *flag = shown ? 1 : 0;
    SetModifiedFlag(true);
    UpdateAllViews();
    return true;
}

void CCase::ResultsApplied(int count) {
    SetRunInFlight(false);
    SetModifiedFlag(true);
    ClearResultsOutOfDate();
    Notify(DocEvent::ResultsReady);
    DocEvent changed(DocEvent::ResultsChanged);
    changed.m_nCount = count;
    Notify(changed);
    UpdateAllViews();
    Notify(DocEvent::ProfileChanged);
}

void CCase::SetRunInFlight(bool inFlight) {
    if (m_bRunInFlight == inFlight) return;
    m_bRunInFlight = inFlight;
    Notify(DocEvent::Flag(DocEvent::RunStateChanged, inFlight));
}

void CCase::MarkResultsOutOfDate() {
    bool results = false;
    ForEachJet([&results](int, int, int, const CRiser&, const CBase&, const CJet& j) {
        results = results || j.GetSteps() > 0;
    });
    if (!results || m_bResultsOutOfDate) return;
    m_bResultsOutOfDate = true;
    Notify(DocEvent::Flag(DocEvent::ResultsOutOfDate, true));
}

void CCase::ClearResultsOutOfDate() {
    if (!m_bResultsOutOfDate) return;
    m_bResultsOutOfDate = false;
    Notify(DocEvent::Flag(DocEvent::ResultsOutOfDate, false));
}

void CCase::DeleteContents() {
    ClearResultsOutOfDate();
    m_pAmbient.reset();
    m_Outfalls.clear();
    m_nCurrentOutfall = 0;
    InvalidateDisplays();
}

void CCase::InvalidateDisplays() { ++m_nDisplayGeneration; }

const ColourTable& CCase::SectionColourTable() const {
    if (m_pSectionColours) return m_pSectionColours->SectionColourTable();
    // Every level its own colour, until results were placed and coloured.
    static const ColourTable identity = [] {
        ColourTable t{};
        for (int i = 0; i < 256; ++i) {
            t[i].m_nLowLevel = i;
            t[i].m_nHighLevel = i + 1;
            t[i].m_dFromValue = 100.0;
        }
        return t;
    }();
    return identity;
}

void CCase::ResetToNew() {
    DeleteContents();
    m_pAmbient = std::make_unique<CAmbient>();
    m_bTutorial = false;
    m_RangeMin = CRangeRecord::FreshMin();
    m_RangeMax = CRangeRecord::FreshMax();
    m_strVersion = kCurrentFileVersion;
    m_fCurrentAngle = 90.0f;
    m_dDisplayLength = 20.0;
    m_bCameraFramed = true;
    m_FarField = FarFieldSettings{};
    m_bModified = false;
}

void CCase::SetModifiedFlag(bool modified) {
    const bool changed = m_bModified != modified;
    m_bModified = modified;
    Notify(DocEvent::InputBarRefresh);
    if (changed) Notify(DocEvent::Flag(DocEvent::ModifiedChanged, modified));
}

// --- the tree ---

CRiser* CCase::GetCurrentOutfall() const { return GetOutfall(m_nCurrentOutfall); }

CBase* CCase::GetCurrentRiser() const {
    const CRiser* o = GetCurrentOutfall();
    return o ? o->GetCurrentRiser() : nullptr;
}

CJet* CCase::GetCurrentJet() const {
    const CBase* r = GetCurrentRiser();
    return r ? r->GetCurrentJet() : nullptr;
}

CurrentNames CCase::GetCurrentNames() const {
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

CJet* CCase::FindJet(const std::string& outfall, const std::string& riser, const std::string& jet) const {
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

bool CCase::LocateJet(JetId id, int& outfall, int& riser, int& jet) const {
    for (int i = 0; i < GetOutfallCount(); ++i) {
        const CRiser& o = *m_Outfalls[i];
        for (int j = 0; j < o.GetRiserCount(); ++j) {
            const CBase& r = *o.m_Risers[j];
            for (int k = 0; k < r.GetJetCount(); ++k) {
                if (r.m_Jets[k]->Id() != id) continue;
                outfall = i;
                riser = j;
                jet = k;
                return true;
            }
        }
    }
    return false;
}

CJet* CCase::FindJetById(JetId id) const {
    int o = 0, r = 0, j = 0;
    return LocateJet(id, o, r, j) ? m_Outfalls[o]->m_Risers[r]->m_Jets[j].get() : nullptr;
}

bool CCase::CheckStructure() {
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

int CCase::GetJetCount() const {
    int n = 0;
    ForEachJet([&n](int, int, int, CRiser&, CBase&, CJet&) { ++n; });
    return n;
}

std::string CCase::MakeOutfallName() const {
    return MakeUniqueName(kOutfallNamePattern, m_Outfalls,
                          [](const std::unique_ptr<CRiser>& o) { return o->m_strName; });
}

namespace {
// A riser made with defaults fits the outfall it stands on, and its jets the
// riser: within the limits the checks of their values hold them to.
void FitNewRiser(CBase& riser, const CRiser& outfall) {
    riser.m_dBottomRadius = std::max(0.05, std::min(riser.m_dBottomRadius, 0.5 * outfall.m_dWidth));
    riser.m_dTopRadius = std::max(0.01, std::min(riser.m_dTopRadius, riser.m_dBottomRadius));
    riser.m_dHeight = std::max(0.1, std::min(riser.m_dHeight, outfall.m_dDepth));
    for (const auto& j : riser.m_Jets) j->m_dPortHeight = std::min(j->m_dPortHeight, riser.m_dHeight);
}
}  // namespace

void CCase::AppendNewJet(CBase& riser, const CJet* source) {
    const bool noRiser = m_bNoRiser;
    auto j = std::make_unique<CJet>(noRiser);
    j->m_strName = riser.MakeChildName();
    if (source) j->CopyFrom(source, noRiser);
    // A default port stands no higher than its riser.
    else if (!noRiser) j->m_dPortHeight = std::min(j->m_dPortHeight, riser.m_dHeight);
    riser.AppendJet(std::move(j));
    riser.m_nCurrentJet = riser.GetJetCount() - 1;
}

void CCase::Create(TreeLevel level) {
    if (m_bRunInFlight) return;
    const bool noRiser = m_bNoRiser;
    DocItemLevel added = DocItemLevel::None;
    if (level == TreeLevel::Outfall) {
        auto o = std::make_unique<CRiser>();
        o->m_strName = MakeOutfallName();
        o->m_pGridLink = m_pGridLink;
        o->CopyFrom(nullptr, noRiser);
        // Without the wizard's grid the case's own profile gives the sea bed.
        if (!m_pGridLink && m_pAmbient) {
            std::vector<double> levels;
            for (const ProfileRow& row : m_pAmbient->Rows()) levels.push_back(row.m_dDepth);
            o->m_dDepth = CRiser::DefaultDepth(levels);
        }
        m_Outfalls.push_back(std::move(o));
        m_nCurrentOutfall = GetOutfallCount() - 1;
        added = DocItemLevel::Outfall;
    } else if (level == TreeLevel::Riser) {
        CRiser* o = GetCurrentOutfall();
        if (!o) return;
        if (noRiser && o->GetRiserCount() > 0) {
            o->m_nCurrentRiser = 0;
        } else {
            added = DocItemLevel::Riser;
            auto r = std::make_unique<CBase>();
            r->m_strName = o->MakeChildName();
            const CBase* last = o->GetRiserCount() > 0 ? o->m_Risers.back().get() : nullptr;
            // A copy keeps its own distance 0: distances are not copied.
            r->CopyFrom(last, noRiser);
            if (!last && !noRiser) FitNewRiser(*r, *o);
            o->AppendRiser(std::move(r));
            o->m_nCurrentRiser = o->GetRiserCount() - 1;
        }
    } else if (level == TreeLevel::Jet) {
        CBase* r = GetCurrentRiser();
        if (!r) return;
        AppendNewJet(*r, nullptr);
        added = DocItemLevel::Jet;
    } else {
        return;
    }
    // Every new jet, and those a new riser brings, carry the case's angle.
    PropagateCurrentAngle();
    if (added != DocItemLevel::None) NotifyAdded(added);
    UpdateAllViews();
}

void CCase::Add(TreeLevel level) {
    if (m_bRunInFlight) return;
    const bool noRiser = m_bNoRiser;
    DocItemLevel added = DocItemLevel::None;
    if (level == TreeLevel::Outfall) {
        if (m_Outfalls.empty()) return Create(TreeLevel::Outfall);
        auto o = std::make_unique<CRiser>();
        o->m_strName = MakeOutfallName();
        o->m_pGridLink = m_pGridLink;
        o->CopyFrom(m_Outfalls.back().get(), noRiser);
        m_Outfalls.push_back(std::move(o));
        m_nCurrentOutfall = GetOutfallCount() - 1;
        added = DocItemLevel::Outfall;
    } else if (level == TreeLevel::Riser) {
        CRiser* o = GetCurrentOutfall();
        if (!o) return;
        if (o->GetRiserCount() == 0) return Create(TreeLevel::Riser);
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
        added = DocItemLevel::Riser;
    } else if (level == TreeLevel::Jet) {
        CBase* r = GetCurrentRiser();
        if (!r) return;
        AppendNewJet(*r, r->GetCurrentJet() ? r->m_Jets.back().get() : nullptr);
        added = DocItemLevel::Jet;
    } else {
        return;
    }
    // Every new jet, and those copied outfalls and risers bring, carry the
    // case's angle.
    PropagateCurrentAngle();
    NotifyAdded(added);
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

void CCase::Delete(TreeLevel level) {
    if (m_bRunInFlight) return;
    // Where the item stood, for the observers: its level and indices.
    const CurrentNames where = GetCurrentNames();
    const CJet* jet = level == TreeLevel::Jet ? GetCurrentJet() : nullptr;
    const JetId removedId = jet ? jet->Id() : 0;
    bool deleted = false;
    if (level == TreeLevel::Outfall) {
        deleted = DeleteAt(m_Outfalls, m_nCurrentOutfall);
    } else if (level == TreeLevel::Riser) {
        CRiser* o = GetCurrentOutfall();
        if (o) deleted = DeleteAt(o->m_Risers, o->m_nCurrentRiser);
    } else if (level == TreeLevel::Jet) {
        CBase* r = GetCurrentRiser();
        if (r) deleted = DeleteAt(r->m_Jets, r->m_nCurrentJet);
    }
    // Nothing selected at that level: nothing changes.
    if (!deleted) return;
    // The sort tree names jets by position, which the deletion has shifted.
    InvalidateDisplays();
    SetModifiedFlag(true);
    Notify(DocEvent::Item(DocEvent::ItemRemoved, ItemLevelOf(level), where.m_nOutfall,
                          level != TreeLevel::Outfall ? where.m_nRiser : -1,
                          level == TreeLevel::Jet ? where.m_nJet : -1, removedId));
    // The deleted jets' pieces leave the section and its figures.
    RecomputeSection(false);
    UpdateAllViews();
}

void CCase::SetJetFlowAll(double flow) {
    CBase* r = GetCurrentRiser();
    if (!r) return;
    for (auto& j : r->m_Jets) j->m_dFlow = flow;
    r->m_dTotalFlow = r->GetJetCount() * flow;
    Notify(CurrentItemEvent(*this, DocEvent::ItemChanged, DocItemLevel::Riser));
}

void CCase::PropagateEffluent(CRiser& outfall) {
    for (auto& r : outfall.m_Risers) {
        for (auto& j : r->m_Jets) {
            j->m_dTemperature = outfall.m_dTemperature;
            j->m_dSalinity = outfall.m_dTemperature != 0.0 ? outfall.m_dSalinity : outfall.m_dDensity;
            if (m_bNoRiser) j->m_dPortHeight = outfall.m_dWidth / 2.0;
        }
    }
}

void CCase::DistributeRiserFlow(CBase& riser) {
    if (riser.GetJetCount() == 0) return;
    const double each = riser.m_dTotalFlow / riser.GetJetCount();
    for (auto& j : riser.m_Jets) j->m_dFlow = each;
}

CMaterialProperty* CCase::GetCurrentMaterial(TreeLevel level, bool second) const {
    switch (level) {
    case TreeLevel::Outfall: {
        CRiser* o = GetCurrentOutfall();
        return o ? &o->m_Material : nullptr;
    }
    case TreeLevel::Riser: {
        CBase* r = GetCurrentRiser();
        return r ? &r->m_Material : nullptr;
    }
    case TreeLevel::Jet: {
        CJet* j = GetCurrentJet();
        if (!j) return nullptr;
        return second ? &j->m_MaterialB : &j->m_MaterialA;
    }
    }
    return nullptr;
}

bool CCase::InsertOutfall(int index, std::unique_ptr<CRiser> outfall) {
    if (!outfall || index < 0 || index > GetOutfallCount()) return false;
    m_Outfalls.insert(m_Outfalls.begin() + index, std::move(outfall));
    PropagateCurrentAngle();
    InvalidateDisplays();
    return true;
}

void CCase::ItemRestored(TreeLevel level, int outfall, int riser, int jet) {
    SetModifiedFlag(true);
    Notify(DocEvent::Item(DocEvent::ItemAdded, ItemLevelOf(level), outfall, riser, jet));
    NotifySelection();
    UpdateAllViews();
}

// --- settings of the case ---

void CCase::SetRunOptions(const RunOptions& options) {
    m_RunOptions = options;
    SetModifiedFlag(true);
}

void CCase::SetFarField(const FarFieldSettings& settings) {
    m_FarField = settings;
    SetModifiedFlag(true);
    UpdateAllViews();
}

void CCase::SetNoRiser(bool noRiser) {
    if (noRiser == m_bNoRiser) return;
    m_bNoRiser = noRiser;
    SetModifiedFlag(true);
    UpdateAllViews();
}

void CCase::SetCurrentAngle(float angle) {
    m_fCurrentAngle = angle;
    PropagateCurrentAngle();
    SetModifiedFlag(true);
    // The grid's section shows the angle: it reloads with the profile.
    Notify(DocEvent::ProfileChanged);
    UpdateAllViews();
}

void CCase::SetProfile(std::vector<ProfileRow> rows) {
    if (!m_pAmbient) m_pAmbient = std::make_unique<CAmbient>();
    m_pAmbient->SetRows(std::move(rows));
    SetModifiedFlag(true);
    Notify(DocEvent::ProfileChanged);
}

void CCase::SetProfile(std::vector<ProfileRow> rows, double waterDepth) {
    SetProfile(std::move(rows));
    SetWaterDepth(waterDepth);
}

void CCase::SetWaterDepth(double depth) {
    if (!m_pAmbient) m_pAmbient = std::make_unique<CAmbient>();
    m_pAmbient->m_dWaterDepth = depth;
    m_dDisplayLength = depth;
    SetModifiedFlag(true);
    Notify(DocEvent::AmbientBoxChanged);
}

void CCase::PropagateCurrentAngle() {
    ForEachJet([this](int, int, int, CRiser&, CBase&, CJet& j) {
        j.m_dCurrentAngle = m_fCurrentAngle;
        j.m_pDisplay->SetDisplayAngle(m_fCurrentAngle);
    });
}

// --- checks before a run ---

bool CCase::CheckDepth() {
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

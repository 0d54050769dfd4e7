#include "edit/Subtree.h"

#include <utility>

#include "base/Archive.h"
#include "base/FileVersion.h"
#include "model/Case.h"

namespace {
template <typename List>
bool IndexFits(const List& list, int index) {
    return index >= 0 && index <= static_cast<int>(list.size());
}

// The value ranges of the case and of every item, which the case file
// stores: placing jets computes them afresh, putting an item back must not.
class RangeSnapshot {
public:
    explicit RangeSnapshot(CCase& doc) {
        Keep(doc.m_RangeMin, doc.m_RangeMax);
        for (auto& o : doc.Outfalls()) {
            Keep(o->m_RangeMin, o->m_RangeMax);
            for (auto& r : o->m_Risers) {
                Keep(r->m_RangeMin, r->m_RangeMax);
                for (auto& j : r->m_Jets) Keep(j->m_RangeMin, j->m_RangeMax);
            }
        }
    }
    void Restore() const {
        for (const auto& [record, value] : m_Kept) *record = value;
    }

private:
    void Keep(CRangeRecord& min, CRangeRecord& max) {
        m_Kept.emplace_back(&min, min);
        m_Kept.emplace_back(&max, max);
    }
    std::vector<std::pair<CRangeRecord*, CRangeRecord>> m_Kept;
};

// The jet displays of the restored jets of a riser, when they carry results.
void PlaceJets(CCase& doc, int outfall, int riser) {
    const CRiser* o = doc.GetOutfall(outfall);
    const CBase* r = o ? o->GetRiser(riser) : nullptr;
    if (!r) return;
    bool results = false;
    for (const auto& j : r->m_Jets) results = results || j->GetSteps() > 0;
    if (!results) return;
    const RangeSnapshot ranges(doc);
    doc.PlaceJets(outfall, riser, 0, r->GetJetCount());
    ranges.Restore();
}

// The jets of the item the path names, in tree order.
std::vector<CJet*> JetsOf(CCase& doc, const ItemPath& path) {
    std::vector<CJet*> jets;
    const auto riser = [&jets](CBase& r) {
        for (auto& j : r.m_Jets) jets.push_back(j.get());
    };
    switch (path.m_eLevel) {
    case TreeLevel::Outfall:
        if (CRiser* o = path.Outfall(doc))
            for (auto& r : o->m_Risers) riser(*r);
        break;
    case TreeLevel::Riser:
        if (CBase* r = path.Riser(doc)) riser(*r);
        break;
    case TreeLevel::Jet:
        if (CJet* j = path.Jet(doc)) jets.push_back(j);
        break;
    }
    return jets;
}
}  // namespace

Subtree Subtree::Take(CCase& doc, const ItemPath& path) {
    Subtree s;
    CArchive ar;
    ar.SetFileVersion(kCurrentFileVersion);
    switch (path.m_eLevel) {
    case TreeLevel::Outfall:
        if (CRiser* o = path.Outfall(doc)) {
            o->Serialize(ar);
            s.m_Inputs = ScopeInputs::Take(doc, path.m_nOutfall, -1);
            s.m_bTaken = true;
        }
        break;
    case TreeLevel::Riser:
        if (CBase* r = path.Riser(doc)) {
            r->Serialize(ar);
            s.m_Inputs = ScopeInputs::Take(doc, path.m_nOutfall, path.m_nRiser);
            s.m_bTaken = true;
        }
        break;
    case TreeLevel::Jet:
        if (CJet* j = path.Jet(doc)) {
            j->Serialize(ar);
            s.m_bTaken = true;
        }
        break;
    }
    s.m_Bytes = ar.Data();
    for (const CJet* j : JetsOf(doc, path)) s.m_Rows.push_back(j->m_KeyParams.m_Row);
    return s;
}

bool Subtree::Insert(CCase& doc, const ItemPath& path) const {
    if (!m_bTaken) return false;
    CArchive ar(m_Bytes);
    ar.SetFileVersion(kCurrentFileVersion);
    try {
        switch (path.m_eLevel) {
        case TreeLevel::Outfall: {
            if (!IndexFits(doc.Outfalls(), path.m_nOutfall)) return false;
            auto o = std::make_unique<CRiser>();
            o->m_pGridLink = doc.m_pGridLink;
            o->Serialize(ar);
            doc.InsertOutfall(path.m_nOutfall, std::move(o));
            for (int r = 0; r < doc.GetOutfall(path.m_nOutfall)->GetRiserCount(); ++r)
                PlaceJets(doc, path.m_nOutfall, r);
            break;
        }
        case TreeLevel::Riser: {
            CRiser* o = path.Outfall(doc);
            if (!o || !IndexFits(o->m_Risers, path.m_nRiser)) return false;
            auto r = std::make_unique<CBase>();
            r->Serialize(ar);
            o->m_Risers.insert(o->m_Risers.begin() + path.m_nRiser, std::move(r));
            doc.PropagateCurrentAngle();
            PlaceJets(doc, path.m_nOutfall, path.m_nRiser);
            break;
        }
        case TreeLevel::Jet: {
            CBase* r = path.Riser(doc);
            if (!r || !IndexFits(r->m_Jets, path.m_nJet)) return false;
            auto j = std::make_unique<CJet>(doc.IsNoRiser());
            j->Serialize(ar);
            r->m_Jets.insert(r->m_Jets.begin() + path.m_nJet, std::move(j));
            doc.PropagateCurrentAngle();
            PlaceJets(doc, path.m_nOutfall, path.m_nRiser);
            break;
        }
        }
    } catch (const CArchiveException&) {
        return false;
    }
    const std::vector<CJet*> jets = JetsOf(doc, path);
    for (std::size_t k = 0; k < jets.size() && k < m_Rows.size(); ++k) jets[k]->m_KeyParams.m_Row = m_Rows[k];
    if (path.m_eLevel != TreeLevel::Jet) m_Inputs.Restore(doc);
    doc.InvalidateDisplays();
    return true;
}

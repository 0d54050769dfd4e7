#include "edit/ItemValuesCommand.h"

#include <vector>

#include "base/DocObserver.h"
#include "model/Case.h"
#include "validation/StructureCheck.h"

namespace {
TreeLevel LevelOf(const CItemValuesCommand::Values& v) {
    if (std::holds_alternative<OutfallData>(v)) return TreeLevel::Outfall;
    if (std::holds_alternative<RiserData>(v)) return TreeLevel::Riser;
    return TreeLevel::Jet;
}

CItemValuesCommand::Values ValuesOf(const CCase& doc, const ItemPath& p) {
    switch (p.m_eLevel) {
    case TreeLevel::Outfall:
        return p.Outfall(doc)->GetData();
    case TreeLevel::Riser:
        return p.Riser(doc)->GetData();
    case TreeLevel::Jet:
        break;
    }
    return p.Jet(doc)->GetData();
}

// Each differing field adds its caption; the first one found names the edit.
void Differs(std::vector<const char*>& names, bool differ, const char* name) {
    if (differ) names.push_back(name);
}

std::vector<const char*> Changed(const OutfallData& a, const OutfallData& b, bool noRiser) {
    std::vector<const char*> n;
    Differs(n, a.m_dDepth != b.m_dDepth, "Depth");
    Differs(n, a.m_dTemperature != b.m_dTemperature, "Temperature");
    Differs(n, a.m_dSalinity != b.m_dSalinity, "Salinity");
    Differs(n, a.m_dDensity != b.m_dDensity, "Density");
    Differs(n, a.m_dLength != b.m_dLength, "Length");
    Differs(n, a.m_dWidth != b.m_dWidth, noRiser ? "Radius" : "Width");
    Differs(n, a.m_dJetSpacing != b.m_dJetSpacing, "Space Between Jets");
    Differs(n, a.m_dPositionX != b.m_dPositionX, "Distance");
    Differs(n, a.m_nVisible != b.m_nVisible, "Display");
    return n;
}

std::vector<const char*> Changed(const RiserData& a, const RiserData& b, bool) {
    std::vector<const char*> n;
    Differs(n, a.m_dTotalFlow != b.m_dTotalFlow, "Flow");
    Differs(n, a.m_dDistance != b.m_dDistance, "Distance");
    Differs(n, a.m_dHeight != b.m_dHeight, "Height");
    Differs(n, a.m_dTopRadius != b.m_dTopRadius, "Top radius");
    Differs(n, a.m_dBottomRadius != b.m_dBottomRadius, "Bottom radius");
    Differs(n, a.m_nVisible != b.m_nVisible, "Display");
    return n;
}

std::vector<const char*> Changed(const JetData& a, const JetData& b, bool) {
    std::vector<const char*> n;
    Differs(n, a.m_dFlow != b.m_dFlow, "Flow");
    Differs(n, a.m_dDiameter != b.m_dDiameter, "Diameter");
    Differs(n, a.m_dPortHeight != b.m_dPortHeight, "Port Height");
    Differs(n, a.m_dVAngle != b.m_dVAngle, "Vertical angle");
    Differs(n, a.m_dHAngle != b.m_dHAngle, "Horizontal angle");
    Differs(n, a.m_dSalinity != b.m_dSalinity, b.m_dTemperature == 0.0 ? "Density" : "Salinity");
    Differs(n, a.m_dTemperature != b.m_dTemperature, "Temperature");
    Differs(n, a.m_dCurrent != b.m_dCurrent, "Current");
    Differs(n, a.m_nVisible != b.m_nVisible, "Display");
    return n;
}

std::vector<const char*> ChangedFields(const CItemValuesCommand::Values& before,
                                       const CItemValuesCommand::Values& after, bool noRiser) {
    return std::visit(
        [&](const auto& b) {
            using T = std::decay_t<decltype(b)>;
            return Changed(b, std::get<T>(after), noRiser);
        },
        before);
}
}  // namespace

std::string ChangedFieldName(const CItemValuesCommand::Values& before, const CItemValuesCommand::Values& after,
                             bool noRiser) {
    const std::vector<const char*> names = ChangedFields(before, after, noRiser);
    return names.size() == 1 ? names.front() : std::string();
}

std::unique_ptr<CItemValuesCommand> CItemValuesCommand::Make(CCase& doc, const Values& values, CheckSurface surface,
                                                             std::string* refusal, CheckFailure* failure) {
    if (refusal) refusal->clear();
    const ItemPath path = ItemPath::Current(doc, LevelOf(values));
    if (!path.IsValid()) return nullptr;
    const bool noRiser = doc.IsNoRiser();
    std::vector<CheckFailure> failures;
    if (const auto* od = std::get_if<OutfallData>(&values)) {
        failures = CheckOutfallValues(*od, noRiser);
    } else if (const auto* rd = std::get_if<RiserData>(&values)) {
        failures = CheckRiserValues(*rd, path.Outfall(doc)->GetData(), noRiser);
    } else {
        failures = CheckJetValues(std::get<JetData>(values), path.Riser(doc)->GetData(), noRiser, surface);
    }
    if (!failures.empty()) {
        if (refusal) *refusal = failures.front().m_strMessage;
        if (failure) *failure = failures.front();
        return nullptr;
    }
    // Values stored unchanged are no change: the case stays unmodified.
    if (ChangedFields(ValuesOf(doc, path), values, noRiser).empty()) return nullptr;
    return std::unique_ptr<CItemValuesCommand>(new CItemValuesCommand(doc, path, values));
}

CItemValuesCommand::CItemValuesCommand(CCase& doc, const ItemPath& path, const Values& values)
    : CCaseCommand(doc), m_path(path), m_values(values) {
    const int riserScope = path.m_eLevel == TreeLevel::Outfall ? -1 : path.m_nRiser;
    m_before = ScopeInputs::Take(doc, path.m_nOutfall, riserScope);
    const std::string field = ChangedFieldName(ValuesOf(doc, path), values, doc.IsNoRiser());
    const std::string name = path.Label(doc);
    setText(QString::fromStdString(field.empty() ? "Change " + name : "Change " + field + " of " + name));
}

void CItemValuesCommand::FirstApply() {
    // The same steps as the forms took before edits could be taken back.
    if (const auto* od = std::get_if<OutfallData>(&m_values)) {
        CRiser* outfall = m_path.Outfall(m_doc);
        outfall->SetData(*od);
        m_doc.PropagateEffluent(*outfall);
    } else if (const auto* rd = std::get_if<RiserData>(&m_values)) {
        CBase* riser = m_path.Riser(m_doc);
        riser->SetData(*rd);
        CCase::DistributeRiserFlow(*riser);
    } else {
        const JetData& jd = std::get<JetData>(m_values);
        m_path.Jet(m_doc)->SetData(jd);
        m_doc.SetJetFlowAll(jd.m_dFlow);
    }
    m_after = ScopeInputs::Take(m_doc, m_before.m_nOutfall, m_before.m_nRiser);
    m_bApplied = true;
}

void CItemValuesCommand::Apply(bool forward) {
    SelectionPath::Select(m_doc, m_path);
    if (forward && !m_bApplied) FirstApply();
    else (forward ? m_after : m_before).Restore(m_doc);
    m_doc.ItemChanged(ItemLevelOf(m_path.m_eLevel));
}

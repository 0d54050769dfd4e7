#include "validation/CaseValidation.h"

#include "base/AppState.h"
#include "model/Case.h"
#include "model/LoadedCaseCheck.h"
#include "validation/FieldLimits.h"
#include "validation/StructureCheck.h"

namespace {
const char* kProfileKeys[4] = {"depth_m", "salinity_ppt", "temperature_c", "current_m_s"};

void Add(std::vector<CaseIssue>& issues, const std::string& path, const std::string& message) {
    if (!message.empty()) issues.push_back({path, message, false});
}

void AddAll(std::vector<CaseIssue>& issues, const std::string& prefix, const std::vector<CheckFailure>& failures) {
    for (const auto& f : failures) issues.push_back({prefix + "." + f.m_strField, f.m_strMessage, false});
}

void CheckProfile(const CCase& doc, std::vector<CaseIssue>& issues) {
    if (!doc.Ambient()) return;
    const auto& rows = doc.Ambient()->Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ProfileRow& r = rows[i];
        const std::string p = "ambient.profile[" + std::to_string(i) + "].";
        const double values[4] = {r.m_dDepth, r.m_dValue, r.m_dTemperature, r.m_dCurrent};
        for (int c = 0; c < 4; ++c) {
            const std::string key = c == 1 && r.m_dTemperature == 0.0 ? "density_g_ml" : kProfileKeys[c];
            Add(issues, p + key, ProfileCellMessage(c, values[c], r.m_dValue, r.m_dTemperature, CheckSurface::Wizard));
        }
    }
    int a = 0, b = 0;
    const int order = doc.Ambient()->CheckProfile(a, b);
    Add(issues, "ambient.profile", ProfileOrderMessage(order, a, b));
    if (order == -1) issues.back().m_bAcceptable = true;
}
}  // namespace

std::vector<CaseIssue> ValidateCase(const CCase& doc) {
    std::vector<CaseIssue> issues;
    const bool noRiser = doc.IsNoRiser();
    Add(issues, "current_angle_deg", CheckRange(doc.CurrentAngle(), FieldLimits::kAngleMin, FieldLimits::kAngleMax));
    Add(issues, "run.max_time_steps",
        CheckRange(doc.MaxTimeSteps(), FieldLimits::kMaxStepsMin, FieldLimits::kMaxStepsMax));
    for (const FarFieldProblem& p : CheckFarFieldSettings(doc.GetFarField()))
        Add(issues, "far_field." + p.m_strField, p.m_strMessage);
    CheckProfile(doc, issues);
    if (doc.GetOutfallCount() == 0) Add(issues, "outfalls", "No outfall is defined.");
    for (int i = 0; i < doc.GetOutfallCount(); ++i) {
        const CRiser& o = *doc.GetOutfall(i);
        const OutfallData od = o.GetData();
        const std::string po = "outfalls[" + std::to_string(i) + "]";
        Add(issues, po + ".name", CheckStoredName(o.m_strName));
        AddAll(issues, po, CheckOutfallValues(od, noRiser));
        Add(issues, po + ".effluent.temperature_c",
            CheckRange(od.m_dTemperature, FieldLimits::kEffluentMin, FieldLimits::kEffluentMax));
        if (od.m_dTemperature != 0.0)
            Add(issues, po + ".effluent.salinity_ppt",
                CheckRange(od.m_dSalinity, FieldLimits::kEffluentMin, FieldLimits::kEffluentMax));
        if (o.GetRiserCount() == 0) Add(issues, po, noRiser ? "No jet is defined." : "No riser is defined.");
        for (int k = 0; k < o.GetRiserCount(); ++k) {
            const CBase& r = *o.GetRiser(k);
            const RiserData rd = r.GetData();
            // Without risers the ports sit on the pipe: the riser is the
            // outfall's hidden holder of its jets and has no path of its own.
            const std::string pr = noRiser ? po : po + ".risers[" + std::to_string(k) + "]";
            if (!noRiser) Add(issues, pr + ".name", CheckStoredName(r.m_strName));
            AddAll(issues, pr, CheckRiserValues(rd, od, noRiser));
            if (r.GetJetCount() == 0) Add(issues, pr, "No jet is defined.");
            for (int j = 0; j < r.GetJetCount(); ++j) {
                const CJet& jet = *r.GetJet(j);
                const std::string pj = pr + ".jets[" + std::to_string(j) + "]";
                Add(issues, pj + ".name", CheckStoredName(jet.m_strName));
                // The angles' limits come with the jet's other limits.
                AddAll(issues, pj, CheckJetValues(jet.GetData(), rd, noRiser, CheckSurface::InputBar));
            }
        }
    }
    // Whatever else the case file's loader would refuse (the ambient water,
    // the cut plane, stored results): a case that passes here can be saved
    // and opened again.
    if (issues.empty()) Add(issues, "", LoadedCaseProblem(doc));
    return issues;
}

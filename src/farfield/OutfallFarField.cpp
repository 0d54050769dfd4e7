#include "farfield/OutfallFarField.h"

#include <algorithm>

#include "farfield/AmbientCurrent.h"
#include "model/Case.h"

OutfallFarField ComputeOutfallFarField(const CCase& doc, int outfall) {
    OutfallFarField f;
    const CRiser* o = doc.GetOutfall(outfall);
    if (!o) return f;
    f.m_strOutfall = o->m_strName;
    if (!FindWastefieldStart(doc, *o, f.m_Start)) return f;
    static const std::vector<ProfileRow> kNoRows;
    f.m_dCurrent = CurrentAtDepth(doc.Ambient() ? doc.Ambient()->Rows() : kNoRows, f.m_Start.m_dDepth);
    const FarFieldSettings& s = doc.GetFarField();
    const CFarFieldModel model(f.m_Start, f.m_dCurrent, s);
    if (!model.HasFarField()) {
        f.m_eStatus = FarFieldStatus::StillCurrent;
        return f;
    }
    f.m_eStatus = FarFieldStatus::Computed;
    f.m_dBeta = model.Beta();
    f.m_Edge = model.At(s.m_dMixingZone);
    f.m_EdgeCheck = JudgeStandard(s, f.m_Edge);
    for (const FarFieldPoint& p : s.m_Points) {
        FarFieldPointValues v;
        v.m_strName = p.m_strName;
        v.m_Values = model.At(p.m_dDistance);
        v.m_Check = JudgeStandard(s, v.m_Values);
        f.m_Points.push_back(v);
    }
    f.m_dStandardMetAt = DistanceStandardMet(model, s);
    return f;
}

std::vector<OutfallFarField> ComputeFarField(const CCase& doc) {
    std::vector<OutfallFarField> all;
    for (int i = 0; i < doc.GetOutfallCount(); ++i) all.push_back(ComputeOutfallFarField(doc, i));
    return all;
}

std::vector<double> FarFieldGrid(const FarFieldSettings& settings) {
    double farthest = settings.m_dMixingZone;
    for (const FarFieldPoint& p : settings.m_Points) farthest = std::max(farthest, p.m_dDistance);
    const double end = std::min(FarFieldSettings::kMaxDistance, std::max(10000.0, 10.0 * farthest));
    std::vector<double> grid{0.0};
    for (double decade = 10.0; decade <= end; decade *= 10.0)
        for (double step : {1.0, 2.0, 5.0})
            if (step * decade <= end) grid.push_back(step * decade);
    return grid;
}

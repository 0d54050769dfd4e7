#include "plot/FarFieldPlot.h"

#include <algorithm>

namespace {
constexpr int kSteps = 200;

PlotCurve Upright(const std::string& name, double x, double top) {
    PlotCurve c;
    c.m_strName = name;
    c.m_Role = CurveRole::Reference;
    c.m_bDashed = true;
    c.m_Points = {{x, 0.0}, {x, top}};
    return c;
}
}  // namespace

PlotData BuildFarFieldPlot(const std::vector<OutfallFarField>& fields, const FarFieldSettings& s) {
    PlotData plot;
    plot.m_Kind = PlotKind::DilutionAlongPath;
    plot.m_strTitle = kFarFieldPlotTitle;
    plot.m_strXTitle = "Distance from the diffuser along the current (m)";
    plot.m_strYTitle = "Dilution";
    plot.m_strY2Title = "Concentration (" + s.m_strUnit + ")";
    double farthest = s.m_dMixingZone;
    for (const FarFieldPoint& p : s.m_Points) farthest = std::max(farthest, p.m_dDistance);
    const double end = std::min(FarFieldSettings::kMaxDistance, std::max(500.0, 2.0 * farthest));
    double top = 0.0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const OutfallFarField& f = fields[i];
        if (f.m_eStatus != FarFieldStatus::Computed) continue;
        const CFarFieldModel model(f.m_Start, f.m_dCurrent, s);
        PlotCurve dilution, concentration;
        dilution.m_strName = f.m_strOutfall + ": dilution";
        concentration.m_strName = f.m_strOutfall + ": concentration";
        dilution.m_nOrdinal = concentration.m_nOrdinal = static_cast<int>(i);
        dilution.m_strJet = concentration.m_strJet = f.m_strOutfall;
        concentration.m_bDashed = true;
        concentration.m_bRightAxis = true;
        for (int k = 0; k <= kSteps; ++k) {
            const FarFieldValues v = model.At(end * k / kSteps);
            dilution.m_Points.push_back({v.m_dDistance, v.m_dDilution});
            concentration.m_Points.push_back({v.m_dDistance, v.m_dConcentration});
            top = std::max(top, v.m_dDilution);
        }
        plot.m_Curves.push_back(std::move(dilution));
        plot.m_Curves.push_back(std::move(concentration));
    }
    if (plot.m_Curves.empty()) return plot;
    plot.m_Curves.push_back(Upright("edge of the mixing zone", s.m_dMixingZone, top));
    for (const FarFieldPoint& p : s.m_Points) plot.m_Curves.push_back(Upright(p.m_strName, p.m_dDistance, top));
    return plot;
}

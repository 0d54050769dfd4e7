#include "plot/PlotLegend.h"

#include <algorithm>
#include <set>
#include <string>

#include "plot/JetPalette.h"

std::vector<LegendEntry> BuildLegend(const PlotData& plot) {
    std::vector<LegendEntry> legend;
    auto add = [&legend](LegendEntry e) {
        for (const LegendEntry& x : legend)
            if (x.m_strText == e.m_strText) return;
        legend.push_back(std::move(e));
    };
    std::set<std::string> jets;  // every jet of the plot, named in the legend or not
    for (const PlotCurve& c : plot.m_Curves) {
        if (c.m_Role != CurveRole::Line || c.m_strJet.empty() || !jets.insert(c.m_strJet).second) continue;
        if (static_cast<int>(jets.size()) <= JetPaletteSize())
            add({c.m_strJet, LegendKind::Jet, LegendLine::Solid, c.m_nOrdinal});
    }
    const int more = static_cast<int>(jets.size()) - JetPaletteSize();
    if (more > 0)
        legend.push_back(
            {"and " + std::to_string(more) + " more jets (their colours repeat)", LegendKind::More, LegendLine::None});
    // Line kinds: solid and dashed tell the quantities of a jet apart.
    const bool anyDashed =
        std::any_of(plot.m_Curves.begin(), plot.m_Curves.end(), [](const PlotCurve& c) { return c.m_bDashed; });
    for (const PlotCurve& c : plot.m_Curves) {
        switch (c.m_Role) {
        case CurveRole::Line:
            if (c.m_strJet.empty()) add({c.m_strName, LegendKind::Curve, LegendLine::Solid});
            else if (c.m_bDashed) add({c.m_strName + " (dashed)", LegendKind::LineKind, LegendLine::Dashed});
            else if (anyDashed) add({c.m_strName + " (solid)", LegendKind::LineKind, LegendLine::Solid});
            break;
        case CurveRole::Reference:
            add({c.m_strName, LegendKind::Level, LegendLine::Dotted});
            break;
        case CurveRole::Marker:
            add({"cut plane crossing", LegendKind::Marker, LegendLine::None});
            break;
        case CurveRole::BedContact:
            add({"reaches the sea bed", LegendKind::BedContact, LegendLine::None});
            break;
        case CurveRole::Arrow:
            add({"current direction", LegendKind::Arrow, LegendLine::Solid});
            break;
        case CurveRole::BandUpper:
            add({"half-width band", LegendKind::Band, LegendLine::None});
            break;
        case CurveRole::BandLower:
            break;
        }
    }
    return legend;
}

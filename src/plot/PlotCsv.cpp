#include "plot/PlotCsv.h"

#include <locale>
#include <sstream>

namespace {
// Quoted when it holds a separator, a quote or a line end; quotes doubled.
std::string Cell(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}
}  // namespace

std::string PlotCsv(const PlotData& plot) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(10);
    out << "jet,curve," << Cell(plot.m_strXTitle) << ",quantity,value\n";
    for (const PlotCurve& c : plot.m_Curves) {
        if (c.m_Role == CurveRole::Arrow) continue;  // a drawing aid, not data
        const std::string& y = c.m_bRightAxis ? plot.m_strY2Title : plot.m_strYTitle;
        const std::string jet = Cell(c.m_strJet), name = Cell(c.m_strName), quantity = Cell(y);
        for (const PlotPoint& p : c.m_Points)
            out << jet << ',' << name << ',' << p.x << ',' << quantity << ',' << p.y << '\n';
    }
    return out.str();
}

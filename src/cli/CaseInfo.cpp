#include "cli/CaseInfo.h"

#include <cstdarg>
#include <cstdio>
#include <sstream>

#include "base/AppState.h"
#include "cli/StandardOutput.h"
#include "document/PlumexDoc.h"
#include "model/RowMerging.h"

namespace {
// printf into a string of whatever length the values need (a corrupt but
// finite value such as 1e300 prints hundreds of digits).
__attribute__((format(printf, 1, 2))) std::string Fmt(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string s(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(s.data(), s.size() + 1, format, again);
    va_end(again);
    return s;
}
}  // namespace

std::string DescribeCase(const CPlumexDoc& doc) {
    std::ostringstream out;
    out << "Version tag:    " << doc.Version() << "\n";
    out << "Scenario:       " << (doc.IsNoRiser() ? "without risers (ports on the pipe)" : "with risers") << "\n";
    out << "Current angle:  " << Fmt("%.2f", doc.CurrentAngle()) << " deg\n";
    out << "Continuous:     " << (doc.IsContinuous() ? "on" : "off") << ", max time steps " << doc.MaxTimeSteps()
        << "\n";
    out << "Merging:        neighbouring plumes " << (doc.MergesPlumes() ? "merge (on)" : "computed alone (off)")
        << "\n";
    if (doc.Ambient()) {
        const CAmbient& a = *doc.Ambient();
        out << "Water depth:    " << Fmt("%.3f", a.m_dWaterDepth) << " m\n";
        out << "Ambient profile (" << a.GetRowCount() << " rows):\n";
        out << "    depth(m)   dens/sal   temp(C)  current(m/s)  density(g/mL)\n";
        for (const auto& r : a.Rows()) {
            out << Fmt("  %10.3f %10.4f %9.3f %13.4f %14.6f\n", r.m_dDepth, r.m_dValue, r.m_dTemperature, r.m_dCurrent,
                       CAmbient::Density(r.m_dValue, r.m_dTemperature));
        }
    }
    out << "Outfalls: " << doc.GetOutfallCount() << "\n";
    for (const auto& o : doc.Outfalls()) {
        out << Fmt("  Outfall \"%s\": depth %.3f m, width %.3f m, length %.1f m, x %.3f m, jet spacing %.3f m%s\n",
                   TerminalText(o->m_strName).c_str(), o->m_dDepth, o->m_dWidth, o->m_dLength, o->m_dPosition[0],
                   o->m_dJetSpacing, o->m_nVisible ? "" : " (hidden)");
        for (const auto& r : o->m_Risers) {
            out << Fmt(
                "    Riser \"%s\": distance %.3f m, radius top %.4f / bottom %.4f m, height %.3f m, "
                "total flow %.6f m3/s\n",
                TerminalText(r->m_strName).c_str(), r->m_dDistance, r->m_dTopRadius, r->m_dBottomRadius, r->m_dHeight,
                r->m_dTotalFlow);
            for (const auto& j : r->m_Jets) {
                out << Fmt(
                    "      Jet \"%s\": D %.4f m, Q %.6f m3/s, port height %.3f m, H.angle %.2f, "
                    "V.angle %.2f, %s %.4f, T %.2f C\n",
                    TerminalText(j->m_strName).c_str(), j->m_dDiameter, j->m_dFlow, j->m_dPortHeight, j->m_dHAngle,
                    j->m_dVAngle, j->m_dTemperature == 0.0 ? "density" : "salinity", j->m_dSalinity, j->m_dTemperature);
                const int disks = j->GetDiskCount();
                out << "        results: " << j->GetSteps() << " steps, " << disks << " disks";
                if (!j->m_strStatus.empty()) out << ", \"" << TerminalText(j->m_strStatus) << "\"";
                if (disks > 0)
                    out << ", dilution at last disk " << Fmt("%.2f", j->m_pDisplay->m_Disks.back().m_dDilution);
                if (j->GetSteps() > 0) out << ", " << RowMergingText(j->m_KeyParams.m_Row);
                out << "\n";
            }
        }
    }
    return out.str();
}

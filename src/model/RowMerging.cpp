#include "model/RowMerging.h"

#include <algorithm>
#include <charconv>

#include "model/Riser.h"

namespace {
// v with the given decimals and a decimal point under any locale.
std::string Fixed(double v, int decimals) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("-");
}
}  // namespace

std::string RowMergingText(const CRowMerging& row) {
    if (!row.HasRow()) return "computed alone";
    std::string text = "row of " + std::to_string(row.m_nPorts) + " ports, plumes ";
    if (!row.m_bMerged) return text + "do not merge";
    return text + "merge " + Fixed(row.m_dZ, 2) + " m above the port at dilution " + Fixed(row.m_dDilution, 1);
}

OutfallRowMerging SummarizeRowMerging(const CRiser& outfall) {
    OutfallRowMerging m;
    for (const auto& r : outfall.m_Risers)
        for (const auto& j : r->m_Jets) {
            if (j->GetSteps() <= 0) continue;
            ++m.m_nComputed;
            const CRowMerging& row = j->m_KeyParams.m_Row;
            if (!row.HasRow()) continue;
            ++m.m_nInRow;
            m.m_nPorts = std::max(m.m_nPorts, row.m_nPorts);
            if (!row.m_bMerged) continue;
            const bool first = m.m_nMerged++ == 0;
            m.m_dMinZ = first ? row.m_dZ : std::min(m.m_dMinZ, row.m_dZ);
            m.m_dMaxZ = first ? row.m_dZ : std::max(m.m_dMaxZ, row.m_dZ);
            m.m_dMinDilution = first ? row.m_dDilution : std::min(m.m_dMinDilution, row.m_dDilution);
            m.m_dMaxDilution = first ? row.m_dDilution : std::max(m.m_dMaxDilution, row.m_dDilution);
        }
    return m;
}

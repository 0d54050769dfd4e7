#include "run/RowLines.h"

#include <charconv>
#include <cmath>
#include <string>
#include <type_traits>

namespace {
// The number after label (found after from), blanks skipped; false when the
// label is missing or no number follows it.
template <typename T>
bool ValueAfter(const std::string& line, const char* label, T& value, std::size_t from = 0) {
    std::size_t at = line.find(label, from);
    if (at == std::string::npos) return false;
    at += std::char_traits<char>::length(label);
    while (at < line.size() && line[at] == ' ') ++at;
    const char* end = line.data() + line.size();
    const auto r = std::from_chars(line.data() + at, end, value);
    if (r.ec != std::errc()) return false;
    if constexpr (std::is_floating_point_v<T>) return std::isfinite(value);
    return true;
}

bool StartsWith(const std::string& line, const char* head) {
    return line.compare(0, std::char_traits<char>::length(head), head) == 0;
}
}  // namespace

void CRowLines::Read(const std::string& line) {
    if (StartsWith(line, " PORT ROW:")) {
        CRowMerging row;
        long long ports = 0;
        m_bRow = ValueAfter(line, "N = ", ports) && ports >= 1 && ports <= 100000000 &&
                 ValueAfter(line, "SPACING = ", row.m_dSpacing) && ValueAfter(line, "AXIS = ", row.m_dAxisDeg);
        row.m_nPorts = static_cast<int>(ports);
        m_Row = row;
        m_bBroken = false;
    } else if (StartsWith(line, " PLUMES DO NOT MERGE")) {
        m_Row.m_bMerged = false;
    } else if (StartsWith(line, " PLUMES MERGE AT")) {
        m_Row.m_bMerged = true;
        m_bBroken = !(ValueAfter(line, " AT S = ", m_Row.m_dArc) && ValueAfter(line, ", X = ", m_Row.m_dX) &&
                      ValueAfter(line, ", Z = ", m_Row.m_dZ) && ValueAfter(line, "DILUTION = ", m_Row.m_dDilution));
    } else if (StartsWith(line, " MERGED FIELD AT END:")) {
        // The field's size is shown where it was read; a line without it
        // leaves it unknown (0) and the row stands.
        if (!ValueAfter(line, "HALF WIDTH ACROSS = ", m_Row.m_dHalfWidth)) m_Row.m_dHalfWidth = 0.0;
        if (!ValueAfter(line, "HALF LENGTH ALONG THE ROW = ", m_Row.m_dHalfLength)) m_Row.m_dHalfLength = 0.0;
    }
}

CRowMerging CRowLines::Row() const { return m_bRow && !m_bBroken ? m_Row : CRowMerging{}; }

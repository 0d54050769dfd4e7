#include "farfield/AmbientCurrent.h"

#include "model/Ambient.h"

double CurrentAtDepth(const std::vector<ProfileRow>& rows, double depth) {
    if (rows.empty()) return 0.0;
    if (depth <= rows.front().m_dDepth) return rows.front().m_dCurrent;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const ProfileRow& a = rows[i - 1];
        const ProfileRow& b = rows[i];
        if (depth > b.m_dDepth) continue;
        const double span = b.m_dDepth - a.m_dDepth;
        if (span <= 0.0) return b.m_dCurrent;
        return a.m_dCurrent + (b.m_dCurrent - a.m_dCurrent) * (depth - a.m_dDepth) / span;
    }
    return rows.back().m_dCurrent;
}

#include "scene/ColourTable.h"

#include <algorithm>
#include <cmath>

namespace {
int ClampLevel(double d) {
    if (!(d > 0.0)) return 0;  // also NaN
    if (d >= 255.0) return 255;
    return static_cast<int>(d);
}

// Table bin of a value in [lo, hi]; the middle bin for a range without width.
int Bin(double value, double lo, double hi) {
    if (!(hi > lo)) return kMidLevel;
    return ClampLevel((value - lo) * 255.0 / (hi - lo));
}

int TableLevel(double v, double lo, double hi, const ColourTable& table) {
    const ColourTableEntry& e = table[Bin(v, lo, hi)];
    const double width = e.m_dToValue - e.m_dFromValue;
    if (!(std::fabs(width) > 0.0)) return ClampLevel((e.m_nLowLevel + e.m_nHighLevel) / 2);
    return ClampLevel(e.m_nLowLevel + (v - e.m_dFromValue) * (e.m_nHighLevel - e.m_nLowLevel) / width);
}
}  // namespace

void FillColourTable(ColourTable& table, const std::vector<double>& values, double lo, double hi) {
    if (values.empty()) return;
    int count[256] = {};
    for (double v : values) ++count[Bin(v, lo, hi)];
    const double n = static_cast<double>(values.size());
    // The running level is taken from the cumulative count, so the last
    // entry ends at exactly 255 without rounding drift.
    long cumulative = 0;
    double l0 = 0.0;
    for (int a = 0; a < 256; ++a) {
        cumulative += count[a];
        const double l1 = cumulative * 255.0 / n;
        ColourTableEntry& e = table[a];
        e.m_nLowLevel = std::min(255, static_cast<int>(l0));
        e.m_nHighLevel = std::min(255, static_cast<int>(l1));
        e.m_dFromValue = lo + (hi - lo) * a / 255.0;
        e.m_dToValue = lo + (hi - lo) * (a + 1) / 255.0;
        l0 = l1;
    }
}

int ColourLevel(ColourMode mode, const float values[4], const CRangeRecord& min, const CRangeRecord& max,
                const ColourTable& table) {
    if (mode == ColourMode::HalfWidth) {
        const double lo = min.m_fRadius, hi = max.m_fRadius;
        if (!(hi > lo)) return kMidLevel;
        return ClampLevel(255.0 - (values[1] - lo) * 255.0 / (hi - lo));
    }
    if (mode == ColourMode::Velocity) return TableLevel(values[3], min.m_fVelocity, max.m_fVelocity, table);
    return TableLevel(values[0], min.m_fConc, max.m_fConc, table);
}

void LevelColour(int level, const float high[4], const float low[4], float out[4]) {
    const float t = static_cast<float>(std::clamp(level, 0, 255)) / 255.0f;
    for (int c = 0; c < 3; ++c) out[c] = low[c] - (low[c] - high[c]) * t;
    out[3] = high[3];
}

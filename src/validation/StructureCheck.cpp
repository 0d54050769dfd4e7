#include "validation/StructureCheck.h"

#include <cstdio>

#include "model/CaseLimits.h"

// Every limit accepts a value equal to it; the comparisons are written so
// that a value that is not a number fails them too.

namespace {
std::string Allowed(const char* format, double limit) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, limit);
    return buf;
}

// The values outside the case's table of limits, after the record's own
// checks; a value that failed one of them is named once.
void AddLimits(std::vector<CheckFailure>& f, const std::vector<LimitFailure>& limits) {
    for (const LimitFailure& l : limits) {
        bool named = false;
        for (const CheckFailure& c : f) named = named || c.m_strField == l.m_strKey;
        if (named) continue;
        std::string message = l.Message();
        message[0] = 'T';
        char between[96], range[96];
        std::snprintf(between, sizeof between, "%g and %g", l.m_dLower, l.m_dUpper);
        std::snprintf(range, sizeof range, "%g to %g", l.m_dLower, l.m_dUpper);
        f.push_back({l.m_strKey, message + "; it must lie between " + between + ".", range});
    }
}
}  // namespace

std::vector<CheckFailure> CheckOutfallValues(const OutfallData& o, bool noRiser) {
    std::vector<CheckFailure> f;
    if (!(o.m_dLength >= 0.1)) f.push_back({"length_m", "Outfall length should be greater than 0.1m"});
    if (noRiser && !(o.m_dJetSpacing >= 0.001))
        f.push_back({"jet_spacing_m", "Space between two jets should be greater than 0.001m."});
    if (o.m_dTemperature == 0.0 && !(o.m_dDensity >= 0.5 && o.m_dDensity <= 1.5))
        f.push_back({"effluent.density_g_ml", "The value of density should be within the range of 0.5-1.5g/ml."});
    AddLimits(f, OutfallLimitFailures(o));
    return f;
}

std::vector<CheckFailure> CheckRiserValues(const RiserData& r, const OutfallData& o, bool noRiser) {
    std::vector<CheckFailure> f;
    if (!(r.m_dTotalFlow >= 1.0e-8))
        f.push_back({"total_flow_m3_s", "Total flow of riser should be greater than 1.0e-8m^3/s."});
    const double maxDistance = o.m_dLength - 2.0 * r.m_dBottomRadius - o.m_dWidth / 2.0;
    if (!(r.m_dDistance >= 0.0 && r.m_dDistance <= maxDistance))
        f.push_back({"distance_m",
                     "Riser distance should be within the range of 0 and outfall length-0.5*width/radius of "
                     "outfall-2*radius of riser.",
                     Allowed("0 to %g m", maxDistance)});
    if (!noRiser) {
        if (!(r.m_dHeight >= 0.1 && r.m_dHeight <= o.m_dDepth))
            f.push_back({"height_m", "Riser height should be within the range of 0.1m and outfall depth.",
                         Allowed("0.1 to %g m", o.m_dDepth)});
        if (!(r.m_dBottomRadius >= 0.05 && r.m_dBottomRadius <= 0.5 * o.m_dWidth))
            f.push_back({"bottom_radius_m",
                         "Bottom radius of riser should be within the range of 0.05m and 0.5*width/radius of outfall.",
                         Allowed("0.05 to %g m", 0.5 * o.m_dWidth)});
        if (!(r.m_dTopRadius >= 0.01 && r.m_dTopRadius <= r.m_dBottomRadius))
            f.push_back({"top_radius_m",
                         "Top radius of riser should be within the range of 0.01m and bottom Radius of riser.",
                         Allowed("0.01 to %g m", r.m_dBottomRadius)});
    }
    // The case file's limits hold for the hidden riser of a case without
    // risers too.
    AddLimits(f, RiserLimitFailures(r));
    return f;
}

std::vector<CheckFailure> CheckJetValues(const JetData& j, const RiserData& r, bool noRiser, CheckSurface surface) {
    std::vector<CheckFailure> f;
    if (!(j.m_dDiameter >= 1.0e-4))
        f.push_back({"diameter_m", "Jet diameter is too small, it should be equal to or greater than 1.0e-4m."});
    if (!(j.m_dFlow >= 1.0e-8))
        f.push_back({"flow_m3_s", "Flow is too small, it should be equal to or greater than 1.0e-8m^3/s."});
    if (!noRiser && !(j.m_dPortHeight <= r.m_dHeight))
        f.push_back({"port_height_m",
                     surface == CheckSurface::Wizard
                         ? "Port height should be smaller than the riser height."
                         : "Port height should be smaller than or equal to the riser height.",
                     Allowed("at most %g m", r.m_dHeight)});
    AddLimits(f, JetLimitFailures(j));
    return f;
}

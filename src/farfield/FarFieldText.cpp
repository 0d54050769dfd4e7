#include "farfield/FarFieldText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

std::string FixedNumber(double v, int decimals) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("-");
}

std::string ShortNumber(double v, int significant) {
    if (v == 0.0 || !std::isfinite(v)) return FixedNumber(v, 0);
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    // Plain digits from 0.001 up to a million, else with an exponent.
    if (magnitude >= -3 && magnitude < 6) {
        const int decimals = std::max(0, significant - 1 - magnitude);
        return FixedNumber(v, decimals);
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, significant - 1);
    return std::string(buf, r.ptr);
}

std::string PlainNumber(double v) {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("-");
}

std::string StandardVerdict(const StandardCheck& check) {
    return std::string(check.m_bMeets ? "meets the standard" : "does not meet it") + " (margin " +
           FixedNumber(check.m_dMargin, 2) + ")";
}

std::string StandardVerdict(const StandardCheck& check, const FarFieldSettings& settings) {
    return std::string(check.m_bMeets ? "meets the standard" : "does not meet the standard") + " (" +
           StandardText(settings) + ", margin " + FixedNumber(check.m_dMargin, 2) + ")";
}

std::string StandardText(const FarFieldSettings& s) {
    if (s.m_bStandardIsDilution) return "minimum dilution " + PlainNumber(s.m_dStandard);
    return "maximum concentration " + PlainNumber(s.m_dStandard) + " " + s.m_strUnit;
}

std::string ValuesText(const FarFieldValues& v, const FarFieldSettings& s) {
    return std::string(v.m_bInNearField ? "near field, " : "") + "dilution " + FixedNumber(v.m_dDilution, 1) + ", " +
           ShortNumber(v.m_dConcentration) + " " + s.m_strUnit + ", " + FixedNumber(v.m_dTime / 3600.0, 2) + " h";
}

std::string FarFieldLine(const OutfallFarField& f, const FarFieldSettings& s) {
    const std::string head = f.m_strOutfall + " far field: ";
    if (f.m_eStatus == FarFieldStatus::NotComputed) return head + "none, no jet of the outfall was computed";
    const WastefieldStart& st = f.m_Start;
    const std::string start = "starts " + FixedNumber(st.m_dAlong, 1) + " m from the diffuser, " +
                              FixedNumber(st.m_dWidth, 1) + " m wide at " + FixedNumber(st.m_dDepth, 1) +
                              " m depth, dilution " + FixedNumber(st.m_dDilution, 1) + " (lowest of " +
                              std::to_string(st.m_nJets) + " jet ends), " + FixedNumber(st.m_dTime / 3600.0, 2) + " h";
    if (f.m_eStatus == FarFieldStatus::StillCurrent)
        return head + "none, the current at the wastefield (" + ShortNumber(f.m_dCurrent) + " m/s) is below " +
               PlainNumber(kMinFarFieldCurrent) + " m/s; " + start;
    std::string line = head + start + ", current " + FixedNumber(f.m_dCurrent, 3) + " m/s; mixing zone edge " +
                       PlainNumber(s.m_dMixingZone) + " m: " + ValuesText(f.m_Edge, s) + ", " +
                       StandardVerdict(f.m_EdgeCheck, s);
    for (const FarFieldPointValues& p : f.m_Points)
        line += "; " + p.m_strName + " (" + PlainNumber(p.m_Values.m_dDistance) + " m): " + ValuesText(p.m_Values, s) +
                ", " + StandardVerdict(p.m_Check);
    if (f.m_dStandardMetAt < 0.0)
        line += "; standard not met within " + PlainNumber(FarFieldSettings::kMaxDistance / 1000.0) + " km";
    else if (f.m_dStandardMetAt == 0.0) line += "; standard met where the jets end";
    else line += "; standard met from " + FixedNumber(f.m_dStandardMetAt, 1) + " m";
    return line;
}

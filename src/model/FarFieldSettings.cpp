#include "model/FarFieldSettings.h"

#include <cmath>

#include "model/SettingText.h"

namespace {
constexpr char kAlpha[] = "spreading_coefficient_m23_s";
constexpr char kConcentration[] = "effluent_concentration";
constexpr char kUnit[] = "concentration_unit";
constexpr char kT90[] = "t90_h";
constexpr char kMixingZone[] = "mixing_zone_m";
constexpr char kMinDilution[] = "min_dilution";
constexpr char kMaxConcentration[] = "max_concentration";
constexpr char kPoint[] = "point";

// One line of text a user can read: not too long, no control characters.
std::string TextProblem(const std::string& s, bool mayBeEmpty) {
    if (s.empty()) return mayBeEmpty ? std::string() : "must not be empty";
    if (s.size() > FarFieldSettings::kMaxTextLength)
        return "must be at most " + std::to_string(FarFieldSettings::kMaxTextLength) + " characters";
    for (char c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return "must be one line without control characters";
    if (s.front() == ' ' || s.back() == ' ') return "must not begin or end with a space";
    return {};
}

void Range(std::vector<FarFieldProblem>& out, const std::string& field, double v, double lo, double hi, bool loOpen,
           const std::string& what) {
    const bool ok = std::isfinite(v) && (loOpen ? v > lo : v >= lo) && v <= hi;
    if (!ok) out.push_back({field, "must be " + what});
}
}  // namespace

bool FarFieldSettings::operator==(const FarFieldSettings& o) const {
    return m_dAlpha == o.m_dAlpha && m_dEffluentConcentration == o.m_dEffluentConcentration &&
           m_strUnit == o.m_strUnit && m_dT90Hours == o.m_dT90Hours && m_dMixingZone == o.m_dMixingZone &&
           m_bStandardIsDilution == o.m_bStandardIsDilution && m_dStandard == o.m_dStandard && m_Points == o.m_Points;
}

std::vector<FarFieldProblem> CheckFarFieldSettings(const FarFieldSettings& s) {
    std::vector<FarFieldProblem> out;
    const std::string maxDistance = ShortestNumber(FarFieldSettings::kMaxDistance);
    Range(out, kAlpha, s.m_dAlpha, FarFieldSettings::kMinAlpha, FarFieldSettings::kMaxAlpha, false,
          "from 0.0001 to 0.001 m^(2/3)/s");
    Range(out, kConcentration, s.m_dEffluentConcentration, 0.0, FarFieldSettings::kMaxConcentration, true,
          "above 0 and at most 1e15");
    const std::string unit = TextProblem(s.m_strUnit, true);
    if (!unit.empty()) out.push_back({kUnit, unit});
    Range(out, kT90, s.m_dT90Hours, 0.0, FarFieldSettings::kMaxT90Hours, false, "from 0 (no decay) to 1000 hours");
    Range(out, kMixingZone, s.m_dMixingZone, 0.0, FarFieldSettings::kMaxDistance, true,
          "above 0 and at most " + maxDistance + " m");
    if (s.m_bStandardIsDilution)
        Range(out, kMinDilution, s.m_dStandard, 1.0, FarFieldSettings::kMaxDilution, false, "from 1 to 1e9");
    else
        Range(out, kMaxConcentration, s.m_dStandard, 0.0, FarFieldSettings::kMaxConcentration, true,
              "above 0 and at most 1e15");
    if (s.m_Points.size() > FarFieldSettings::kMaxPoints)
        out.push_back({"points", "must hold at most " + std::to_string(FarFieldSettings::kMaxPoints) + " points"});
    for (std::size_t i = 0; i < s.m_Points.size(); ++i) {
        const std::string p = "points[" + std::to_string(i) + "].";
        const std::string name = TextProblem(s.m_Points[i].m_strName, false);
        if (!name.empty()) out.push_back({p + "name", name});
        Range(out, p + "distance_m", s.m_Points[i].m_dDistance, 0.0, FarFieldSettings::kMaxDistance, true,
              "above 0 and at most " + maxDistance + " m");
    }
    return out;
}

std::string FormatFarFieldSettings(const FarFieldSettings& s) {
    if (s == FarFieldSettings{}) return {};
    std::string text =
        std::string(kAlpha) + " " + ShortestNumber(s.m_dAlpha) + "\n" + kConcentration + " " +
        ShortestNumber(s.m_dEffluentConcentration) + "\n" + kUnit + " " + s.m_strUnit + "\n" + kT90 + " " +
        ShortestNumber(s.m_dT90Hours) + "\n" + kMixingZone + " " + ShortestNumber(s.m_dMixingZone) + "\n" +
        (s.m_bStandardIsDilution ? kMinDilution : kMaxConcentration) + " " + ShortestNumber(s.m_dStandard) + "\n";
    for (const FarFieldPoint& p : s.m_Points)
        text += std::string(kPoint) + " " + ShortestNumber(p.m_dDistance) + " " + p.m_strName + "\n";
    return text;
}

bool ParseFarFieldSettings(const std::string& text, FarFieldSettings& settings, std::string& error) {
    FarFieldSettings read;
    for (const SettingLine& setting : SettingLines(text)) {
        const std::string& name = setting.m_strName;
        const std::string& value = setting.m_strValue;
        double* number = nullptr;
        if (name == kAlpha) number = &read.m_dAlpha;
        else if (name == kConcentration) number = &read.m_dEffluentConcentration;
        else if (name == kT90) number = &read.m_dT90Hours;
        else if (name == kMixingZone) number = &read.m_dMixingZone;
        else if (name == kMinDilution || name == kMaxConcentration) {
            read.m_bStandardIsDilution = name == kMinDilution;
            number = &read.m_dStandard;
        }
        if (number) {
            if (!ReadWholeNumber(value, *number)) {
                error = "far field \"" + name + "\" must be a number";
                return false;
            }
        } else if (name == kUnit) {
            read.m_strUnit = value;
        } else if (name == kPoint) {
            const std::size_t gap = value.find(' ');
            FarFieldPoint p;
            if (gap == std::string::npos || !ReadWholeNumber(value.substr(0, gap), p.m_dDistance)) {
                error = "far field \"point\" must be a distance and a name";
                return false;
            }
            p.m_strName = value.substr(gap + 1);
            read.m_Points.push_back(p);
        }
    }
    const std::vector<FarFieldProblem> problems = CheckFarFieldSettings(read);
    if (!problems.empty()) {
        error = "far field \"" + problems.front().m_strField + "\" " + problems.front().m_strMessage;
        return false;
    }
    settings = read;
    return true;
}

#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// What the far field of a case is computed with and judged against: the
// horizontal spreading coefficient of the 4/3 law, the tracked substance
// (its effluent concentration, unit and T90), the distance of the edge of
// the regulatory mixing zone, the standard there, and named points of
// interest further along the current. They are inputs of the case: the
// case file keeps them in its own "FarField" stream (text lines
// "name value", written only when they differ from the defaults, so the
// file of a case that never set them is what it was), the text form in its
// "far_field" object. The names of the lines are the keys of that object.
#include <string>
#include <vector>

struct FarFieldPoint {
    std::string m_strName;
    double m_dDistance = 0.0;  // m from the diffuser along the current
    bool operator==(const FarFieldPoint& o) const { return m_strName == o.m_strName && m_dDistance == o.m_dDistance; }
};

struct FarFieldSettings {
    // Brooks (1960): eddy diffusivity eps0 = alpha * b^(4/3).
    static constexpr double kDefaultAlpha = 4.53e-4;  // m^(2/3)/s
    static constexpr double kMinAlpha = 1e-4;
    static constexpr double kMaxAlpha = 1e-3;
    static constexpr double kMaxT90Hours = 1000.0;
    static constexpr double kMaxDistance = 100000.0;  // m, also the search limit of the standard
    static constexpr double kMaxConcentration = 1e15;
    static constexpr double kMaxDilution = 1e9;
    static constexpr std::size_t kMaxPoints = 50;
    static constexpr std::size_t kMaxTextLength = 60;

    double m_dAlpha = kDefaultAlpha;
    double m_dEffluentConcentration = 1.0e7;  // c0, in m_strUnit
    std::string m_strUnit = "FC/100 mL";
    double m_dT90Hours = 0.0;      // 0: a conservative substance, no decay
    double m_dMixingZone = 100.0;  // m from the diffuser along the current
    // The standard at the edge: a minimum dilution, or else a maximum
    // concentration of the tracked substance.
    bool m_bStandardIsDilution = true;
    double m_dStandard = 100.0;
    std::vector<FarFieldPoint> m_Points;

    bool operator==(const FarFieldSettings& o) const;
    bool operator!=(const FarFieldSettings& o) const { return !(*this == o); }
};

// One value a case may not hold: the key of the far_field object (with the
// point's index, e.g. "points[1].distance_m") and what it must be.
struct FarFieldProblem {
    std::string m_strField;
    std::string m_strMessage;
};

// Every value out of its range or not finite; empty when the settings may be kept.
std::vector<FarFieldProblem> CheckFarFieldSettings(const FarFieldSettings& settings);

// The stream text; empty for the defaults (no stream is written).
std::string FormatFarFieldSettings(const FarFieldSettings& settings);
// Reads the stream text (an empty text: the defaults). False, with the
// line's name and what is wrong, when a line cannot be read or a value is
// out of range; settings is then unchanged. Unknown names are passed over.
bool ParseFarFieldSettings(const std::string& text, FarFieldSettings& settings, std::string& error);

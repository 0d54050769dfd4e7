#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// The receiving water of a case: the vertical profile (depth, density or
// salinity, temperature, current speed), the water depth and the extent and
// face image names of the ambient box the scene draws (its GL textures and
// display list belong to the drawing context, not to the case).
#include <string>
#include <vector>

class CArchive;

struct ProfileRow {
    double m_dDepth = 0.0;        // m below the surface
    double m_dValue = 0.0;        // density (g/mL) when temperature is 0, else salinity (ppt)
    double m_dTemperature = 0.0;  // deg C; 0 means the value is the density itself
    double m_dCurrent = 0.0;      // current speed (m/s)

    bool operator==(const ProfileRow& o) const {
        return m_dDepth == o.m_dDepth && m_dValue == o.m_dValue && m_dTemperature == o.m_dTemperature &&
               m_dCurrent == o.m_dCurrent;
    }
};

class CAmbient {
public:
    static constexpr double kHalfExtent = 800.0;
    static constexpr int kRowBytes = 32;

    CAmbient();

    void Serialize(CArchive& ar);

    int GetRowCount() const { return static_cast<int>(m_Profile.size()); }
    ProfileRow GetRow(int i) const { return m_Profile.at(i); }
    const std::vector<ProfileRow>& Rows() const { return m_Profile; }
    void SetRows(std::vector<ProfileRow> rows) { m_Profile = std::move(rows); }
    // The deepest row (the last one); a zero row when there are none.
    ProfileRow GetLastRow() const { return m_Profile.empty() ? ProfileRow{} : m_Profile.back(); }

    // Density in g/mL of a row value: the value itself when the temperature
    // is exactly 0, otherwise the Knudsen-Ekman relation for sea water.
    static double Density(double value, double temperature);
    // The salinity (ppt) that Density gives this density with at this
    // temperature (not 0), within the profile's 0 to 40 ppt; NaN when no
    // salinity in that range reaches it.
    static double SalinityFor(double density, double temperature);

    // 0 when the table is in order, -1 for unstable stratification (a deeper
    // row lighter than a shallower one), -2 for a broken depth order; the
    // offending pair as 1-based row numbers.
    int CheckProfile(int& rowA, int& rowB) const;

    // True for a texture base name that names a file in one folder: not
    // empty, no path separators, no leading dot, no control characters.
    static bool IsPlainName(const std::string& name);

    // Mean of the current-speed column, 0 without rows.
    double AverageCurrent() const;

    double m_dHalfExtentX = kHalfExtent;
    double m_dBoxValue = 20.0;
    double m_dHalfExtentZ = kHalfExtent;
    double m_dWaterDepth = 20.0;
    std::string m_strFaceNames[4] = {"SeaBed", "Left", "Front", "Right"};
    std::vector<ProfileRow> m_Profile;
};

#include "model/Ambient.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "base/Archive.h"

CAmbient::CAmbient() = default;

bool CAmbient::IsPlainName(const std::string& name) {
    if (name.empty() || name[0] == '.') return false;
    for (char c : name)
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 32) return false;
    return true;
}

double CAmbient::Density(double value, double temperature) {
    if (temperature == 0.0) return value;
    const double S = value;
    const double T = temperature;
    const double sigma0 = ((6.8e-6 * S - 0.000482) * S + 0.8149) * S - 0.093;
    const double At = 0.001 * T * ((0.0010843 * T - 0.09818) * T + 4.7867);
    const double Bt = 1e-6 * T * ((0.01667 * T - 0.8164) * T + 18.03);
    const double SigmaT = (T - 3.98) * (T - 3.98) * (T + 283.0) / ((T + 67.26) * 503.57);
    const double sigmat = (sigma0 + 0.1324) * ((1.0 - At) + (sigma0 - 0.1324) * Bt) - SigmaT;
    return (1000.0 + sigmat) / 1000.0;
}

double CAmbient::SalinityFor(double density, double temperature) {
    constexpr double kMaxSalinity = 40.0;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (temperature == 0.0 || !std::isfinite(density) || !std::isfinite(temperature)) return nan;
    // The density rises with the salinity over the whole range: bisection.
    double lo = 0.0, hi = kMaxSalinity;
    const double tolerance = 1e-9;
    if (density < Density(lo, temperature) - tolerance || density > Density(hi, temperature) + tolerance) return nan;
    for (int i = 0; i < 60; ++i) {
        const double mid = 0.5 * (lo + hi);
        (Density(mid, temperature) < density ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

int CAmbient::CheckProfile(int& rowA, int& rowB) const {
    // The result is that of comparing every pair (i, j), i < j, in order:
    // the first pair whose depth does not increase (-2) or whose density
    // falls (-1). Suffix minima tell at once whether row i has such a
    // partner, so only that row's partners are searched: linear time.
    const int n = GetRowCount();
    if (n < 2) return 0;
    std::vector<double> density(n);
    for (int i = 0; i < n; ++i) density[i] = Density(m_Profile[i].m_dValue, m_Profile[i].m_dTemperature);
    // Over rows i+1..n-1: the smallest depth and density (NaN left out) and
    // whether a depth is NaN (a NaN depth fails every comparison).
    std::vector<double> minDepth(n, std::numeric_limits<double>::infinity());
    std::vector<double> minDensity(n, std::numeric_limits<double>::infinity());
    std::vector<char> nanDepth(n, 0);
    for (int i = n - 2; i >= 0; --i) {
        const double d = m_Profile[i + 1].m_dDepth;
        minDepth[i] = std::isnan(d) ? minDepth[i + 1] : std::min(minDepth[i + 1], d);
        minDensity[i] = std::isnan(density[i + 1]) ? minDensity[i + 1] : std::min(minDensity[i + 1], density[i + 1]);
        nanDepth[i] = static_cast<char>(nanDepth[i + 1] || std::isnan(d));
    }
    for (int i = 0; i + 1 < n; ++i) {
        const double di = m_Profile[i].m_dDepth;
        const bool depthFault = std::isnan(di) || nanDepth[i] || !(minDepth[i] > di);
        const bool densityFault = minDensity[i] < density[i];
        if (!depthFault && !densityFault) continue;
        for (int j = i + 1; j < n; ++j) {
            rowA = i + 1;
            rowB = j + 1;
            // Written as "not greater" so that a NaN depth also fails.
            if (!(m_Profile[j].m_dDepth > di)) return -2;
            if (density[j] < density[i]) return -1;
        }
    }
    rowA = n - 1;  // the last pair compared, as a full comparison leaves them
    rowB = n;
    return 0;
}

double CAmbient::AverageCurrent() const {
    if (m_Profile.empty()) return 0.0;
    double sum = 0.0;
    for (const auto& r : m_Profile) sum += r.m_dCurrent;
    return sum / static_cast<double>(m_Profile.size());
}

void CAmbient::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteDouble(m_dHalfExtentX);
        ar.WriteDouble(m_dBoxValue);
        ar.WriteDouble(m_dHalfExtentZ);
        ar.WriteDouble(m_dWaterDepth);
        ar.WriteText("", 64);
        ar.WriteText(m_strFaceNames[0], 64);
        ar.WriteText("", 64);
        ar.WriteInt32(GetRowCount());
        for (const auto& r : m_Profile) {
            ar.WriteDouble(r.m_dDepth);
            ar.WriteDouble(r.m_dValue);
            ar.WriteDouble(r.m_dTemperature);
            ar.WriteDouble(r.m_dCurrent);
        }
    } else {
        ar.ReadDouble();
        m_dHalfExtentX = kHalfExtent;  // the box extent is fixed, whatever was stored
        m_dBoxValue = ar.ReadDouble();
        ar.ReadDouble();
        m_dHalfExtentZ = kHalfExtent;
        m_dWaterDepth = ar.ReadDouble();
        if (!std::isfinite(m_dWaterDepth)) throw CArchiveException("the water depth is not a number");
        ar.ReadText(64);
        // The name becomes part of a file path beside the program: only a
        // plain base name is taken, anything else falls back to the default.
        const std::string bed = ar.ReadText(64);
        m_strFaceNames[0] = IsPlainName(bed) ? bed : "SeaBed";
        ar.ReadText(64);
        const int n = ar.ReadCount(kRowBytes, "profile row");
        m_Profile.assign(n, ProfileRow{});
        for (auto& r : m_Profile) {
            r.m_dDepth = ar.ReadDouble();
            r.m_dValue = ar.ReadDouble();
            r.m_dTemperature = ar.ReadDouble();
            r.m_dCurrent = ar.ReadDouble();
        }
    }
}

#include "model/CaseLimits.h"

#include <cmath>
#include <cstdio>

#include "model/Base.h"
#include "model/Jet.h"
#include "model/JetDisk.h"
#include "model/Riser.h"

namespace {
using namespace CaseLimits;

template <class Record>
struct FieldLimit {
    double Record::*m_pValue;
    const char* m_pKey;
    const char* m_pWhat;
    double m_dLower, m_dUpper;
};

constexpr double M = kMaxMagnitude;

const FieldLimit<OutfallData> kOutfall[] = {
    {&OutfallData::m_dDepth, "depth_m", "depth", -M, M},
    {&OutfallData::m_dWidth, "width_m", "width", 0.0, M},
    {&OutfallData::m_dLength, "length_m", "length", 0.0, M},
    {&OutfallData::m_dPositionX, "position_x_m", "position", -M, M},
    {&OutfallData::m_dJetSpacing, "jet_spacing_m", "jet spacing", 0.0, M},
    {&OutfallData::m_dTemperature, "effluent.temperature_c", "effluent temperature", -M, M},
    {&OutfallData::m_dSalinity, "effluent.salinity_ppt", "effluent salinity", -M, M},
    {&OutfallData::m_dDensity, "effluent.density_g_ml", "effluent density", -M, M},
};

const FieldLimit<RiserData> kRiser[] = {
    {&RiserData::m_dDistance, "distance_m", "distance", -M, M},
    {&RiserData::m_dTopRadius, "top_radius_m", "top radius", 0.0, M},
    {&RiserData::m_dBottomRadius, "bottom_radius_m", "bottom radius", 0.0, M},
    {&RiserData::m_dHeight, "height_m", "height", -M, M},
    {&RiserData::m_dTotalFlow, "total_flow_m3_s", "total flow", 0.0, M},
};

const FieldLimit<JetData> kJet[] = {
    {&JetData::m_dCurrent, "current_m_s", "ambient current speed", 0.0, M},
    {&JetData::m_dDiameter, "diameter_m", "diameter", 0.0, M},
    {&JetData::m_dFlow, "flow_m3_s", "flow", 0.0, M},
    {&JetData::m_dPortHeight, "port_height_m", "port height", -M, M},
    {&JetData::m_dHAngle, "horizontal_angle_deg", "horizontal angle", -kMaxAngle, kMaxAngle},
    {&JetData::m_dVAngle, "vertical_angle_deg", "vertical angle", -kMaxAngle, kMaxAngle},
    {&JetData::m_dSalinity, "salinity_ppt", "salinity or density", -M, M},
    {&JetData::m_dTemperature, "temperature_c", "temperature", -M, M},
};

constexpr double R = kMaxRangeValue;
const FieldLimit<CJetDisk> kDisk[] = {
    {&CJetDisk::m_dRadius, "radius", "radius", 0.0, M},
    {&CJetDisk::m_dX, "x", "centre x", -M, M},
    {&CJetDisk::m_dY, "y", "centre y", -M, M},
    {&CJetDisk::m_dZ, "z", "centre z", -M, M},
    {&CJetDisk::m_dThickness, "thickness", "thickness", 0.0, M},
    {&CJetDisk::m_dMeanConc, "mean_concentration", "mean concentration", -R, R},
    {&CJetDisk::m_dMaxConc, "max_concentration", "maximum concentration", -R, R},
    {&CJetDisk::m_dDilution, "dilution", "dilution", -R, R},
    {&CJetDisk::m_dVelocity, "velocity", "velocity", -R, R},
    {&CJetDisk::m_dUnnamed, "unnamed", "unnamed value", -R, R},
    {&CJetDisk::m_dVAngle, "vertical_angle", "vertical angle", -M, M},
    {&CJetDisk::m_dHAngle, "horizontal_angle", "horizontal angle", -M, M},
};

template <class Record, std::size_t N>
std::vector<LimitFailure> Failures(const Record& record, const FieldLimit<Record> (&table)[N]) {
    std::vector<LimitFailure> failures;
    for (const auto& f : table) {
        const double v = record.*f.m_pValue;
        // Written so that a value that is not a number fails too.
        if (!(v >= f.m_dLower && v <= f.m_dUpper)) failures.push_back({f.m_pKey, f.m_pWhat, v, f.m_dLower, f.m_dUpper});
    }
    return failures;
}
}  // namespace

std::string LimitFailure::Message() const {
    if (!std::isfinite(m_dValue)) return "the " + m_strWhat + " is not a number";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", m_dValue);
    return "the " + m_strWhat + " " + buf + " is out of range";
}

std::vector<LimitFailure> OutfallLimitFailures(const OutfallData& outfall) { return Failures(outfall, kOutfall); }
std::vector<LimitFailure> RiserLimitFailures(const RiserData& riser) { return Failures(riser, kRiser); }
std::vector<LimitFailure> JetLimitFailures(const JetData& jet) { return Failures(jet, kJet); }
std::vector<LimitFailure> DiskLimitFailures(const CJetDisk& disk) { return Failures(disk, kDisk); }

std::string JetResultsProblem(const std::vector<CJetDisk>& disks) {
    for (std::size_t i = 0; i < disks.size(); ++i) {
        const std::vector<LimitFailure> f = DiskLimitFailures(disks[i]);
        if (!f.empty()) return "disk " + std::to_string(i + 1) + ": " + f.front().Message();
    }
    return std::string();
}

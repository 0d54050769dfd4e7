#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// The one table of what a case may hold: the range of every number of an
// outfall, a riser, a jet and a disk of results. The case file's loader
// refuses a case outside it, so every writer checks against the same table
// first: the input forms and the input bar (through the structure checks),
// an imported text form, the reading of a model's results and the case file
// writer itself. A value the loader would refuse is never written.
#include <string>
#include <vector>

struct OutfallData;
struct RiserData;
struct JetData;
class CJetDisk;

namespace CaseLimits {
// Angles of a jet and the current angle in degrees, as the forms take them.
constexpr double kMaxAngle = 360.0;
// Lengths, positions and values: far beyond any outfall, small enough that
// scene and section arithmetic cannot overflow.
constexpr double kMaxMagnitude = 1e6;
// The cut plane's own angles are kept as shown + 90 degrees.
constexpr double kMaxPlaneAngle = 720.0;
// The results that feed the single-precision range records (concentration,
// dilution, velocity) must stay finite in single precision.
constexpr double kMaxRangeValue = 3.4028234663852886e38;
}  // namespace CaseLimits

// One value outside the table.
struct LimitFailure {
    std::string m_strKey;   // the value's key in the case text form ("length_m")
    std::string m_strWhat;  // its name in messages ("length")
    double m_dValue = 0.0;
    double m_dLower = 0.0, m_dUpper = 0.0;
    // "the length 2e+06 is out of range" or "the length is not a number".
    std::string Message() const;
};

// Every value of the record outside the table, in the record's order.
std::vector<LimitFailure> OutfallLimitFailures(const OutfallData& outfall);
std::vector<LimitFailure> RiserLimitFailures(const RiserData& riser);
std::vector<LimitFailure> JetLimitFailures(const JetData& jet);
std::vector<LimitFailure> DiskLimitFailures(const CJetDisk& disk);

// "" when every disk of a jet's results can be held, else the first value
// refused, naming its disk (from 1): "disk 3: the radius -1 is out of range".
std::string JetResultsProblem(const std::vector<CJetDisk>& disks);

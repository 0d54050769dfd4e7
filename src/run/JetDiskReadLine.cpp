// One line of the trajectory file: twelve numbers separated by blanks, in
// the model's column order (x, y, z, half width, horizontal angle, vertical
// angle, velocity, thickness, ninth value, maximum concentration, mean
// concentration, dilution). Angles come in degrees and are kept in radians.
#include <cmath>
#include <string>

#include "model/JetDisk.h"
#include "run/ModelNumber.h"

namespace {
bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Next token separated by blanks, tabs or line ends; false when none is left.
bool NextToken(const char*& pos, const char* end, const char*& tokenBegin, const char*& tokenEnd) {
    while (pos < end && IsSeparator(*pos)) ++pos;
    if (pos == end) return false;
    tokenBegin = pos;
    while (pos < end && !IsSeparator(*pos)) ++pos;
    tokenEnd = pos;
    return true;
}
}  // namespace

bool CJetDisk::ReadLine(const std::string& line) {
    double* const fields[12] = {&m_dX,        &m_dY,         &m_dZ,       &m_dRadius,  &m_dHAngle,   &m_dVAngle,
                                &m_dVelocity, &m_dThickness, &m_dUnnamed, &m_dMaxConc, &m_dMeanConc, &m_dDilution};
    const char* pos = line.data();
    const char* const end = pos + line.size();
    const char* token = nullptr;
    const char* tokenEnd = nullptr;
    for (int col = 0; col < 12; ++col) {
        // A number too wide for its field is written as a run of '*'.
        if (!NextToken(pos, end, token, tokenEnd) || token[0] == '*') return false;
        double v = ModelNumber(token, tokenEnd);
        // "nan" or "inf" would poison every geometry built from the disk.
        if (!std::isfinite(v)) return false;
        if (col == 4 || col == 5) v *= kTrajectoryDegToRad;
        if (col == 9 && v >= 1.0) v = 1.0;
        *fields[col] = v;
    }
    return true;
}

// One line of the trajectory file: twelve numbers separated by blanks, in
// the model's column order (x, y, z, half width, horizontal angle, vertical
// angle, velocity, thickness, ninth value, maximum concentration, mean
// concentration, dilution). Angles come in degrees and are kept in radians.
#include <cmath>
#include <cstdlib>
#include <string>

#include "model/JetDisk.h"

namespace {
// Next token separated by blanks, tabs or line ends; false when none is left.
bool NextToken(const std::string& line, std::size_t& pos, std::string& token) {
    const char* kSeparators = " \t\r\n";
    const std::size_t start = line.find_first_not_of(kSeparators, pos);
    if (start == std::string::npos) return false;
    std::size_t end = line.find_first_of(kSeparators, start);
    if (end == std::string::npos) end = line.size();
    token = line.substr(start, end - start);
    pos = end;
    return true;
}
}  // namespace

bool CJetDisk::ReadLine(const std::string& line) {
    double* const fields[12] = {&m_dX,        &m_dY,         &m_dZ,       &m_dRadius,  &m_dHAngle,   &m_dVAngle,
                                &m_dVelocity, &m_dThickness, &m_dUnnamed, &m_dMaxConc, &m_dMeanConc, &m_dDilution};
    std::size_t pos = 0;
    std::string token;
    for (int col = 0; col < 12; ++col) {
        // A number too wide for its field is written as a run of '*'.
        if (!NextToken(line, pos, token) || token[0] == '*') return false;
        double v = std::atof(token.c_str());
        // "nan" or "inf" would poison every geometry built from the disk.
        if (!std::isfinite(v)) return false;
        if (col == 4 || col == 5) v *= kTrajectoryDegToRad;
        if (col == 9 && v >= 1.0) v = 1.0;
        *fields[col] = v;
    }
    return true;
}

#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// One cross-section ("disk") of a computed jet: centre, half width,
// direction and the flow values of one model step. Angles in radians.
#include <string>

class CArchive;

// The factor the trajectory reader turns the model's degrees into radians
// with. It is built from pi cut after seven decimals, and every case file
// holds disk angles converted with it, so it must stay as it is; the CSV
// writer divides by the same factor to give back the model's own degrees.
inline constexpr double kTrajectoryDegToRad = 3.1415926 / 180.0;

class CJetDisk {
public:
    // Bytes one disk takes in a case file of the current version.
    static constexpr int kBytesCurrent = 12 * 8;
    // ... and in older versions (no maximum concentration).
    static constexpr int kBytesOld = 11 * 8;

    // Reads one trajectory line of twelve numbers into the fields; false on a
    // missing or overflowed ('*') number, fields read so far keep their values.
    bool ReadLine(const std::string& line);
    void Serialize(CArchive& ar);

    bool operator==(const CJetDisk& o) const;

    double m_dRadius = 0.0;  // half width (m)
    double m_dX = 0.0;       // centre, model coordinates (m), z up
    double m_dY = 0.0;
    double m_dZ = 0.0;
    double m_dMeanConc = 0.0;  // mean concentration ("A. Conc.")
    double m_dDilution = 0.0;
    double m_dVelocity = 0.0;   // m/s
    double m_dVAngle = 0.0;     // vertical angle (rad)
    double m_dHAngle = 0.0;     // horizontal angle (rad)
    double m_dUnnamed = 0.0;    // ninth trajectory column, kept and stored
    double m_dThickness = 0.0;  // m
    double m_dMaxConc = 0.0;    // maximum concentration, at most 1
};

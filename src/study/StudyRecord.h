#pragma once
#ifndef PLUMEX_LAYER_STUDY
#error "a header of plumex_study, included by a library that does not link it"
#endif
// One row of a study's results: a jet (or all jets of the case, or a
// condition that was not computed) under one condition, as the results file
// holds it. The numbers are written with six significant digits; the
// summary is made from the rows as written, so that a study run in parts
// and merged gives the very same summary.
#include <string>
#include <vector>

// The jet column of the row that holds a condition's composite figures.
inline const char* const kAllJets = "(all jets)";

struct StudyRecord {
    std::string m_strCondition;
    std::string m_strJet;            // "outfall / riser / jet", kAllJets, or "" for a skipped condition
    bool m_bComputed = false;        // the numbers below hold results
    double m_dRise = 0.0;            // m, the top of the plume above the port at its highest
    bool m_bSurface = false;         // the plume reached the water surface
    double m_dEndDistance = 0.0;     // m, horizontal, from the port to the last step
    double m_dFluxDilution = 0.0;    // flux-average dilution at the last step
    double m_dCentreDilution = 0.0;  // centreline dilution at the last step
    double m_dTravelTime = 0.0;      // s, to the last step
    std::string m_strStop;           // the model's stop reason, or why nothing was computed
    double m_dWeight = 1.0;          // the condition's weight
};

// The header line of the results (no line end).
std::string StudyRecordHeader();
// The row as a CSV line (no line end).
std::string FormatStudyRecord(const StudyRecord& r);
// Reads a line FormatStudyRecord wrote; false with a reason.
bool ParseStudyRecord(const std::string& line, StudyRecord& r, std::string& error);
// The row with its numbers rounded as the results file holds them.
StudyRecord AsWritten(const StudyRecord& r);

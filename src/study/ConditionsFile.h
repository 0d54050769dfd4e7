#pragma once
#ifndef PLUMEX_LAYER_STUDY
#error "a header of plumex_study, included by a library that does not link it"
#endif
// The conditions file of a study: CSV in long form, one row per level of
// each condition, described in docs/conditions.md. A fault of the file as a
// whole (no header, mixed units, a bad or unsorted depth, a name that
// reappears, too many rows) refuses the file; a condition whose values fail
// the checks of the case's own profile is kept aside, with its name, line
// and reason, and the others are used.
#include <cstddef>
#include <string>
#include <vector>

#include "model/Ambient.h"

struct StudyCondition {
    std::string m_strName;
    int m_nLine = 0;  // the line of its first row (1-based)
    std::vector<ProfileRow> m_Rows;
    double m_dFlowFactor = 1.0;  // multiplies every port's flow
    bool m_bHasCurrentAngle = false;
    double m_dCurrentAngle = 0.0;  // degrees, replaces the case's when given
    double m_dWeight = 1.0;
    // Why the condition is not computed ("" when it is usable), and the
    // line of the row at fault.
    std::string m_strProblem;
    int m_nProblemLine = 0;

    bool Usable() const { return m_strProblem.empty(); }
};

struct ConditionsFile {
    bool m_bSalinity = true;   // the value column holds salinities (ppt), else densities (g/mL)
    bool m_bWeighted = false;  // a weight column was given
    // Every condition of the file, usable or not, in file order: the
    // numbering that slices of a study divide.
    std::vector<StudyCondition> m_Conditions;

    std::size_t SkippedCount() const;
};

constexpr std::size_t kMaxConditionRows = 1000000;

// Reads the text of a conditions file. False when the file is refused; then
// error says "line L: field: reason" (or the reason alone for the whole text).
bool ParseConditions(const std::string& text, ConditionsFile& out, std::string& error);

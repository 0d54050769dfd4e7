#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// The cross-section of a case on a cut plane, computed one way for every
// caller (data pane, plane view, command line, report): the jets' tubes are
// cut by the plane, the plane composes its image from the polygons, and the
// areas, spans and composite values are measured. It reads the case and
// changes nothing of it; the case takes the result over (CCase::RecomputeSection).
#include <utility>
#include <vector>

#include "geometry/CutPlane.h"
#include "geometry/JetSection.h"
#include "geometry/SectionStats.h"
#include "model/Jet.h"

class CCase;

struct SectionResult {
    SectionOutcome m_eOutcome = SectionOutcome::Empty;
    bool m_bRecreated = false;  // the section image was made anew
    // Zero for an outcome that left no section: the previous plane's figures
    // must not stay on show as if they belonged to this one.
    CSectionStats m_Stats;
    // Every jet of the case with its share of the section, in tree order.
    std::vector<std::pair<JetId, JetSection>> m_Jets;
};

SectionResult ComputeSection(const CCase& doc, CCutPlane& plane);

// True when the plane stands normal to this jet, the current one, at its
// marked disk: its section is then that disk itself.
bool CutPlaneShowsDiskOf(const CCutPlane& plane, const CJet& jet, const CJet* current);

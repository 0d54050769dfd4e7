#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// The model's input file "UDF" in the settings' working directory (made
// first when there is none): one block per jet, in outfall, riser, jet
// order, which is the order the results are read back in. Writing a jet's
// block sets its current to the mean of the profile's. False when the file
// cannot be made or written.
//
// When the case merges neighbouring plumes and the settings' model program
// reads rows of ports (ModelCapabilities.h), the block of a jet in a row
// (InputRows.h) gives the row's port count on line 3 and its spacing and
// axis after the three numbers of line 4; every other block is the block of
// a jet alone.
#include <string>
#include <vector>

#include "model/Jet.h"

class CCase;
class CRunSettings;

// What the input file carries beyond the jets' own values.
struct InputNotes {
    std::vector<JetId> m_RowJets;  // jets whose block carries a row of ports
    std::vector<std::string> m_Problems;
};

// Every jet of the case.
bool WriteInputAllJets(CCase& doc, CRunSettings& settings, InputNotes* notes = nullptr);
// Jets firstJet .. firstJet + count - 1 of one riser (those that exist).
bool WriteInputJets(CCase& doc, CRunSettings& settings, int outfall, int riser, int firstJet, int count,
                    InputNotes* notes = nullptr);

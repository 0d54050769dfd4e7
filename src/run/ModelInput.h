#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// The model's input file "UDF" in the settings' working directory (made
// first when there is none): one block per jet, in outfall, riser, jet
// order, which is the order the results are read back in. Writing a jet's
// block sets its current to the mean of the profile's. False when the file
// cannot be made or written.
class CCase;
class CRunSettings;

// Every jet of the case.
bool WriteInputAllJets(CCase& doc, CRunSettings& settings);
// Jets firstJet .. firstJet + count - 1 of one riser (those that exist).
bool WriteInputJets(CCase& doc, CRunSettings& settings, int outfall, int riser, int firstJet, int count);

#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// How a jet is named outside the structure tree, where its own name is not
// enough (every riser has its "Jet1"): the riser's name and the jet's,
// "Riser2 / Jet1", with the outfall's first when the case has several,
// "Outfall_2 / Riser2 / Jet1". Without risers the riser, which the user
// never sees, is left out: "Jet1", "Outfall_2 / Jet1". Undo texts, dialogs,
// reports, plots and messages name jets this way.
#include <string>

#include "model/Jet.h"

class CCase;

// Jet jet of riser riser of outfall outfall; "" when there is no such jet.
std::string JetLabel(const CCase& doc, int outfall, int riser, int jet);
// A jet of that riser called jetName, which need not exist yet (the name a
// new jet will get); "" when there is no such riser.
std::string JetLabel(const CCase& doc, int outfall, int riser, const std::string& jetName);
// The jet with this identity; "" when it is not in the case.
std::string JetLabel(const CCase& doc, JetId id);
// The case's current jet; "" without one.
std::string CurrentJetLabel(const CCase& doc);

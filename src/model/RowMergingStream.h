#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// The case file's "RowMerging" stream: the merging of every computed jet's
// row of ports (CRowMerging), which the case stream has no room for. One
// text line per jet that was computed in a row, "jet K" (K the jet's place
// in the tree, counted from 0) followed by "name value" pairs; a name this
// program does not know is passed over. A case without such jets writes no
// stream, so its file is what it was before rows were computed.
#include <string>

class CCase;

// Empty when no jet has a row.
std::string FormatRowMergingStream(const CCase& doc);
// Gives the jets their rows. A line that names no jet, names a jet without
// results, gives a port count other than the jet's summary page or cannot
// be read is passed over: the jet keeps no row, and the case still opens.
// Returns the number of jets that got their row.
int ApplyRowMergingStream(const std::string& text, CCase& doc);

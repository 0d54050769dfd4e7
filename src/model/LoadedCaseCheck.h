#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// The numbers of a case just read from a case file, checked before anything
// computes with them: every stored value must be a finite number, and the
// inputs and results within the range a real case can have. One flipped
// bit must not reach the scene or the cross-section as an endless loop, an
// integer overflow or a plausible but wrong area.
#include <string>

class CCase;

// Throws CArchiveException with a message that names the item and the value
// (for example: jet "Jet 2" of riser "Riser 1" of outfall "Outfall 1": the
// horizontal angle 1e+300 is out of range).
void CheckLoadedCase(const CCase& doc);
// The same check as a message: "" when the case file written from the case
// would open again. Every writer of a case file asks it first.
std::string LoadedCaseProblem(const CCase& doc);

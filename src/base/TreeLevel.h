#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// The levels of the case tree, outermost first: an outfall holds risers, a
// riser holds jets.
enum class TreeLevel { Outfall, Riser, Jet };

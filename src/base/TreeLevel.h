#pragma once
// The levels of the case tree, outermost first: an outfall holds risers, a
// riser holds jets.
enum class TreeLevel { Outfall, Riser, Jet };

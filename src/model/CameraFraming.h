#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// Cameras that show a whole case: the first camera of a case text without
// one (the discharge structure: the water column over every outfall, its
// risers and ports, seen from above and from the side), the first camera
// after the first run of a new case (the structure and every computed jet,
// from the same side), and Fit All (the same, from where the camera looks
// now).
class CCase;
class CViewControl;

void FrameStructure(const CCase& doc, CViewControl& camera);

// The structure (its risers or ports with the water column above them) and
// every disk of every shown, computed jet, seen from the side
// FrameStructure looks from, as close as the camera's field of view and
// aspect allow with a little room, and centred in the picture. Where the
// eye would stand behind a wall of the ambient box, the direction turns
// towards the box's open side until no wall is in the way.
void FrameCase(const CCase& doc, CViewControl& camera);
// The same from the camera's own direction, with its up and field of view.
void FitCase(const CCase& doc, CViewControl& camera);

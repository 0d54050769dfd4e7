#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// A camera that shows a whole discharge structure: the water column over
// every outfall, its risers and ports, seen from above and from the side.
class CCase;
class CViewControl;

void FrameStructure(const CCase& doc, CViewControl& camera);

#pragma once
// A camera that shows a whole discharge structure: the water column over
// every outfall, its risers and ports, seen from above and from the side.
class CPlumexDoc;
class CViewControl;

void FrameStructure(const CPlumexDoc& doc, CViewControl& camera);

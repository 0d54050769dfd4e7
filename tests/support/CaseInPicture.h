#pragma once
// What a camera shows of a case, as the user would judge it: every disk of
// every computed jet and the top of every riser inside the picture, and the
// eye in the open water, not inside a plume.
#include <string>

class CCase;
class CViewControl;

// Empty when the camera shows the whole case so; else what is wrong, with
// counts ("3 disks outside the picture; the eye inside 12 disks").
std::string WholeCaseSeen(const CCase& doc, const CViewControl& camera);

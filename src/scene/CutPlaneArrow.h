#pragma once
// The green arrow along the normal of a user-specified cut plane, standing
// on the plane's point. GL drawing code.
class CCutPlane;

void DrawCutPlaneArrow(const CCutPlane& plane);

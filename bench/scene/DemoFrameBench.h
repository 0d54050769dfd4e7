#pragma once
// Frame times of a computed case with the water and the particles running,
// beside the same frame without them (the animation should cost at most
// twice the plain frame). Draws on the current GL context.
// Returns 0, or 1 when the case cannot be opened or computed.
int PrintAnimatedFrameTimes(const char* casePath, const char* textureDir, int width, int height);

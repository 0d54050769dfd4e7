#pragma once
#ifndef PLUMEX_LAYER_GL
#error "a header of plumex_gl, included by a library that does not link it"
#endif
// The fixed OpenGL state the whole scene relies on, and the smoke sprite
// textures, set up once per context (GL drawing code).
#include <string>

class CPrompt;

constexpr int kSmokeTextureCount = 51;

// Clear colour (a dark sea blue), depth test, blending with source alpha,
// smooth shading, two-sided lighting and one white positional light.
void ApplyFixedGlState();

// Keeps the picture opaque: blended translucent surfaces would leave alpha
// below 1, which a composited or saved picture shows as washed-out colours.
// BeginOpaqueFrame clears colour (alpha 1) and depth and then stops all
// writes to alpha, so that alpha stays 1; EndOpaqueFrame lets them through
// again. Blending reads only the source alpha, so the colours come out as
// without the mask.
void BeginOpaqueFrame();
void EndOpaqueFrame();

// Generates the 51 texture names and loads dir + "/smokeimages/ssN.TGA"
// (N = 0 ... 50) into them. A file that cannot be read is reported by the
// TGA loader and leaves its texture without an image; the rest still load.
// Returns the number of textures that got an image.
int LoadSmokeTextures(const std::string& dir, unsigned int names[kSmokeTextureCount], CPrompt& prompt);

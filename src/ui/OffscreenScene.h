#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// One frame of a case's 3-D scene drawn into an offscreen framebuffer, as
// the main view draws it, and handed back as a 24-bit DIB. Needs a
// QGuiApplication whose platform can give an OpenGL context (xcb with a
// display, or Xvfb).
#include <string>

#include "gl/SceneFrame.h"
#include "image/GlobalBlock.h"

class CPlumexDoc;

// Draws the frame at nWidth x nHeight with the camera the case stores (that
// of the 3-D view moved last; a case without a view: as read), the face
// textures from resourceDir (faces without an image are drawn plain).
// Returns null and sets error when no GL context or framebuffer can be had.
HDIB RenderSceneToDib(CPlumexDoc& doc, int nWidth, int nHeight, const SceneFrameOptions& options,
                      const std::string& resourceDir, std::string& error);

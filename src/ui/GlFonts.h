#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// Fonts for OpenGL text built with Qt: 256 display lists, one per byte
// (bytes read as Windows-1252), starting at base. Need a current context.

// Bitmap glyphs (glBitmap) of the face, 12 pixels high; "System" or null
// stands for the platform's default UI font. False when nothing was built.
bool CompileBitmapFont(unsigned int base, const char* face);
// Solid glyphs one unit per em, in the plane z = 0 and extruded by depth
// towards -z; each list ends by moving the origin by the glyph's advance.
bool CompileOutlineFont(unsigned int base, const char* face, double depth);

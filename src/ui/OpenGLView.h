#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The base of every window that draws with OpenGL: owns the widget's
// compatibility-profile context, sets the fixed state the scene relies on
// (clear colour, depth test, blending, two-sided lighting, one white
// light), and offers its subclasses the virtual steps of a frame plus
// display-list and font helpers. Set-up errors are recorded as a text (the
// first one only) and not shown.
#include <QOpenGLWidget>
#include <string>

#include "gl/GlSetup.h"

class COpenGLView : public QOpenGLWidget {
public:
    // Error texts, index -> text.
    static const char* const kErrorTexts[8];

    explicit COpenGLView(QWidget* parent = nullptr);
    ~COpenGLView() override;

    const char* ErrorString() const { return m_ErrorString; }
    // Keeps only the first error: later ones are dropped.
    void RecordError(int index);

    // Folder of the smoke sprites ("smokeimages/ssN.TGA"); the program's folder by default.
    void SetResourceDir(const std::string& dir) { m_strResourceDir = dir; }
    const std::string& ResourceDir() const { return m_strResourceDir; }
    const unsigned int* SmokeTextures() const { return m_nSmokeTextures; }
    unsigned int BitmapFontBase() const { return m_nBitmapFontBase; }
    unsigned int OutlineFontBase() const { return m_nOutlineFontBase; }

    // --- the virtual steps ---
    // The surface format (compatibility profile, depth, double buffer, no alpha).
    virtual bool ConfigurePixelFormat();
    virtual bool ConfigureViewport(int cx, int cy);
    virtual bool ConfigureProjection(double aspect);
    virtual bool ConfigureCamera();
    virtual bool BeforeScene();
    virtual bool DrawFloorGrid();
    virtual bool DrawScene();
    // Next unused display-list name after the last one handed out; 0 when
    // 10001 names in a row are taken.
    virtual unsigned int AllocateListId();
    // 256 glyph lists of the face (null: the default UI font), 12 pixels high.
    virtual unsigned int BuildBitmapFont(const char* face);
    virtual void DrawText(unsigned int base, const char* text);
    // 256 glyph lists of solid glyphs, one unit per em, extruded by the depth along -z.
    virtual unsigned int BuildOutlineFont(const char* face, double extrusion);
    virtual bool InitGl();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

    const char* m_ErrorString;
    int m_nNextListId = 1;
    unsigned int m_nBitmapFontBase = 0;
    unsigned int m_nOutlineFontBase = 0;
    unsigned int m_nSmokeTextures[kSmokeTextureCount] = {};
    std::string m_strResourceDir;
};

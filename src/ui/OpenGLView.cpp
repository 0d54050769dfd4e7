#include "ui/OpenGLView.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QOpenGLContext>

#include <cstring>

#include <GL/gl.h>
#include <GL/glu.h>

#include "base/StderrPrompt.h"
#include "gl/GlSetup.h"
#include "gl/SceneShapes.h"
#include "ui/GlFonts.h"
#include "ui/GlFormat.h"

const char* const COpenGLView::kErrorTexts[8] = {
    "No Error",
    "Unable to get a DC",
    "ChoosePixelFormat failed",
    "SelectPixelFormat failed",
    "wglCreateContex failed",
    "wgMakeCurrent failed",
    "wglDeleteContex failed",
    "SwapBuffers failed",
};

COpenGLView::COpenGLView(QWidget* parent) : QOpenGLWidget(parent), m_ErrorString(kErrorTexts[0]) {
    m_strResourceDir = QCoreApplication::applicationDirPath().toStdString();
    ConfigurePixelFormat();
}

COpenGLView::~COpenGLView() {
    if (!context()) return;
    makeCurrent();
    if (m_nBitmapFontBase) glDeleteLists(m_nBitmapFontBase, 256);
    if (m_nOutlineFontBase) glDeleteLists(m_nOutlineFontBase, 256);
    if (m_nSmokeTextures[0]) glDeleteTextures(kSmokeTextureCount, m_nSmokeTextures);
    doneCurrent();
}

void COpenGLView::RecordError(int index) {
    if (index < 0 || index > 7) return;
    if (m_ErrorString == kErrorTexts[0]) m_ErrorString = kErrorTexts[index];
}

bool COpenGLView::ConfigurePixelFormat() {
    setFormat(SceneSurfaceFormat());
    return true;
}

bool COpenGLView::ConfigureViewport(int cx, int cy) {
    glViewport(0, 0, cx, cy);
    return true;
}

bool COpenGLView::ConfigureProjection(double aspect) {
    gluPerspective(40.0, aspect, double(0.1f), 20.0);
    return true;
}

bool COpenGLView::ConfigureCamera() {
    glTranslated(0.0, 0.0, -5.0);
    glRotated(40.0, 1.0, 0.0, 0.0);
    glRotated(-30.0, 0.0, 1.0, 0.0);
    return true;
}

bool COpenGLView::BeforeScene() { return true; }

bool COpenGLView::DrawFloorGrid() {
    ::DrawFloorGrid();
    return true;
}

bool COpenGLView::DrawScene() { return true; }

unsigned int COpenGLView::AllocateListId() {
    const int start = m_nNextListId;
    const long limit = long(start) + 10001;
    for (long candidate = long(start) + 1; candidate <= limit; ++candidate) {
        if (glIsList(static_cast<GLuint>(candidate))) continue;
        m_nNextListId = static_cast<int>(candidate);
        return static_cast<unsigned int>(candidate);
    }
    return 0;
}

unsigned int COpenGLView::BuildBitmapFont(const char* face) {
    const unsigned int base = AllocateListId();
    if (!base) return 0;
    if (!CompileBitmapFont(base, face)) {
        glDeleteLists(base, 256);
        return 0;
    }
    return base;
}

void COpenGLView::DrawText(unsigned int base, const char* text) {
    if (!base || !text) return;
    glListBase(base);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
}

unsigned int COpenGLView::BuildOutlineFont(const char* face, double extrusion) {
    const unsigned int base = AllocateListId();
    if (!base) return 0;
    if (!CompileOutlineFont(base, face, extrusion)) {
        glDeleteLists(base, 256);
        return 0;
    }
    return base;
}

bool COpenGLView::InitGl() {
    if (!context() || !context()->isValid()) {
        RecordError(4);
        return false;
    }
    ApplyFixedGlState();
    m_nBitmapFontBase = BuildBitmapFont("System");
    m_nOutlineFontBase = BuildOutlineFont("System", 1.0);
    CStderrPrompt prompt;
    LoadSmokeTextures(m_strResourceDir, m_nSmokeTextures, prompt);
    return true;
}

void COpenGLView::initializeGL() { InitGl(); }

void COpenGLView::resizeGL(int w, int h) {
    if (w <= 0 || h <= 0) return;
    const qreal ratio = devicePixelRatioF();
    const int cx = int(w * ratio), cy = int(h * ratio);
    ConfigureViewport(cx, cy);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    ConfigureProjection(double(cx) / double(cy));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ConfigureCamera();
}

void COpenGLView::paintGL() {
    // The widget composites its framebuffer with alpha: the picture stays
    // opaque (alpha 1) while it is drawn.
    BeginOpaqueFrame();
    BeforeScene();
    glPushMatrix();
    DrawFloorGrid();
    glPopMatrix();
    glPushMatrix();
    DrawScene();
    glPopMatrix();
    EndOpaqueFrame();
    glFinish();
}

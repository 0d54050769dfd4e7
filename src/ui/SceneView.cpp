#include "ui/SceneView.h"

#include <GL/gl.h>

#include "model/Ambient.h"
#include "model/PlumexDoc.h"
#include "scene/GlSetup.h"
#include "scene/SceneFrame.h"

CSceneView::CSceneView(CPlumexDoc& doc, QWidget* parent) : COpenGLView(parent), m_doc(doc) {
    setMinimumSize(20, 20);
}

void CSceneView::resizeGL(int, int) {
    // The camera sets projection and viewport for every frame.
}

void CSceneView::paintGL() {
    const qreal ratio = devicePixelRatioF();
    const int cx = qMax(1, int(width() * ratio));
    const int cy = qMax(1, int(height() * ratio));
    glViewport(0, 0, cx, cy);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyFixedGlState();
    // The contexts of all views share their objects: the first view to draw
    // a case uploads its face textures for every window on it.
    if (m_doc.m_pAmbient && !m_doc.m_pAmbient->m_nTexNames[0]) m_doc.m_pAmbient->LoadTextures(ResourceDir());
    CViewControl camera = m_doc.m_ViewControl;
    camera.SetWindowSize(cx, cy);
    SceneFrameOptions options;
    options.m_bFastDisplay = !m_doc.m_bSortedDisplay;
    DrawSceneFrame(m_doc, camera, options);
}

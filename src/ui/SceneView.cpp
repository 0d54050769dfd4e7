#include "ui/SceneView.h"

#include <QOpenGLContext>

#include <GL/gl.h>

#include "model/Ambient.h"
#include "model/PlumexDoc.h"
#include "scene/GlResources.h"
#include "scene/GlSetup.h"
#include "scene/SceneFrame.h"

CSceneView::CSceneView(CPlumexDoc& doc, QWidget* parent) : COpenGLView(parent), m_doc(doc) {
    setMinimumSize(20, 20);
}

CSceneView::~CSceneView() {
    if (!context()) return;
    // The context dies with the base class; this view is gone by then.
    disconnect(context(), nullptr, this, nullptr);
    ReleaseGlResources();
}

void CSceneView::initializeGL() {
    COpenGLView::initializeGL();
    // The widget makes a new context when it moves to another window (a
    // case window maximised, a dock floated); the names of the old one go
    // with it, before another context could take its address as key.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CSceneView::ReleaseGlResources,
            Qt::DirectConnection);
}

void CSceneView::ReleaseGlResources() {
    QOpenGLContext* ctx = context();
    if (!ctx) return;
    makeCurrent();
    CGlResources::ReleaseKey(ctx);
    doneCurrent();
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
    // Each view keeps the GL names of its own context (the ambient box's
    // textures and list), so two cases shown side by side never make each
    // other's box again.
    CGlResources& resources = CGlResources::ForKey(context(), ResourceDir());
    CViewControl camera = m_doc.m_ViewControl;
    camera.SetWindowSize(cx, cy);
    SceneFrameOptions options;
    options.m_bFastDisplay = !m_doc.m_bSortedDisplay;
    DrawSceneFrame(m_doc, camera, options, resources);
}

#pragma once
// The 3-D view of a case window: draws the case's scene (structures, the
// ambient box, the jets as uniform tubes, the current arrow) with the
// case's camera, and redraws when the case changes. The mouse modes,
// picking and animations of the main view are added on top of it.
#include "ui/OpenGLView.h"

class CPlumexDoc;

class CSceneView : public COpenGLView {
public:
    explicit CSceneView(CPlumexDoc& doc, QWidget* parent = nullptr);
    ~CSceneView() override;

    CPlumexDoc& Document() const { return m_doc; }
    QSize sizeHint() const override { return {640, 480}; }

protected:
    void initializeGL() override;
    void paintGL() override;
    void resizeGL(int w, int h) override;

private:
    // Deletes the GL names this view made in its context; the context is
    // made current for it.
    void ReleaseGlResources();

    CPlumexDoc& m_doc;
};

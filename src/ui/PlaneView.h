#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The flat view of the current cross-section: the cut plane's section image
// seen along the plane's normal (plane x to the right, plane y downward),
// fitted to the pane after every section. Ctrl + left drag pans, a plain
// left drag zooms (down: more of the image, up: less); moving the mouse
// probes the section under the cursor for the data pane.
#include <QImage>
#include <QPoint>
#include <QWidget>

#include "image/ImageTypes.h"

class CPlumexDoc;
struct DocEvent;

class CPlaneView : public QWidget {
    Q_OBJECT
public:
    enum Mode { Idle = 0, Panning = 1, Zooming = 2, Untouched = 16 };
    // Client pixels on the left and at the bottom kept for the axis arrows.
    static constexpr int kAxisMargin = 11;
    static constexpr int kMinFittedSide = 20;

    explicit CPlaneView(CPlumexDoc& doc, QWidget* parent = nullptr);

    // Re-fits the section image to the pane and repaints; called for every
    // new section (the document's CutPlaneChanged).
    void OnSectionChanged();
    void OnDocEvent(const DocEvent& e);

    int ModeNow() const { return m_nMode; }
    const CRect& Source() const { return m_rcSource; }
    const CRect& Dest() const { return m_rcDest; }
    const CRect& ImageRect() const { return m_rcImage; }
    double ScaleX() const { return m_dScaleX; }
    double ScaleY() const { return m_dScaleY; }
    QPoint ClientToImage(int x, int y) const;
    CRect ImageToClient(int l, int t, int r, int b) const;

    // The last probe: its world x (three decimals) and summed value (four).
    double ProbeX() const { return m_dProbe[0]; }
    double ProbeValue() const { return m_dProbeValue; }

signals:
    // A probe under the mouse: the world point and the summed value there.
    void probed(double x, double y, double z, double value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void RecomputeSourceSize();
    void UpdateCursor();
    void Probe(int x, int y);
    // The cut plane's image as a Qt image, top row first; null without one.
    void RebuildImage();

    CPlumexDoc& m_doc;
    int m_nMode = Untouched;
    QPoint m_ptDown;
    QPoint m_ptLast;
    CRect m_rcSource{0, 0, 1, 1};
    CRect m_rcDest{0, 0, 1, 1};
    double m_dScaleX = 1.0;
    double m_dScaleY = 1.0;
    CRect m_rcImage;
    QImage m_Image;
    double m_dProbe[3] = {0.0, 0.0, 0.0};
    double m_dProbeValue = 0.0;
};

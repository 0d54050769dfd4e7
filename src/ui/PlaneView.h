#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The flat view of the current cross-section: the cut plane's section image
// seen along the plane's normal (plane x to the right, plane y downward),
// with axes in metres along its left and bottom edges and a legend of its
// concentrations at the right. The whole section is fitted into the plot
// with a margin after every section and whenever the pane changes size,
// until the user zooms or pans: Ctrl + left drag pans, a plain left drag
// zooms (down: more of the image, up: less), a double click fits it again.
// Moving the mouse probes the section under the cursor for the data pane.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include "image/ImageTypes.h"
#include "ui/SectionScale.h"

class CPlumexDoc;
struct DocEvent;

class CPlaneView : public QWidget {
    Q_OBJECT
public:
    enum Mode { Idle = 0, Panning = 1, Zooming = 2, Untouched = 16 };

    explicit CPlaneView(CPlumexDoc& doc, QWidget* parent = nullptr);

    // Fits the new section into the plot and repaints; called for every
    // new section (the document's CutPlaneChanged).
    void OnSectionChanged();
    void OnDocEvent(const DocEvent& e);

    int ModeNow() const { return m_nMode; }
    // The plot: the client area less the room of the axes and the legend.
    QRect PlotArea() const;
    // Where the legend is drawn.
    QRect LegendArea() const;
    // The pixels kept free around a fitted section inside the plot.
    int FitMargin() const;
    // Part of the image shown (image pixels; it may reach past the image)
    // and where it is drawn (the plot, client pixels).
    const CRect& Source() const { return m_rcSource; }
    const CRect& Dest() const { return m_rcDest; }
    // The client rectangle of the whole section image at the present pan and zoom.
    CRect ImageRect() const;
    double ScaleX() const { return m_dScaleX; }
    double ScaleY() const { return m_dScaleY; }
    QPoint ClientToImage(int x, int y) const;
    CRect ImageToClient(int l, int t, int r, int b) const;
    // The metres the axes show at a client x (along the plane's x) and at a
    // client y (the plane's height: its y reversed, growing upwards).
    AxisMap AcrossMap() const;
    AxisMap UpMap() const;

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
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The whole section into the plot, centred, its aspect kept.
    void Fit();
    void RecomputeSourceSize();
    void UpdateCursor();
    void Probe(int x, int y);
    // The cut plane's image as a Qt image, top row first; null without one.
    void RebuildImage();
    // Width and height of the section in image pixels (the image may be larger).
    QSize SectionSize() const;

    CPlumexDoc& m_doc;
    int m_nMode = Untouched;
    bool m_bUserView = false;  // zoomed or panned since the last fit
    QPoint m_ptDown;
    QPoint m_ptLast;
    CRect m_rcSource{0, 0, 1, 1};
    CRect m_rcDest{0, 0, 1, 1};
    double m_dScaleX = 1.0;
    double m_dScaleY = 1.0;
    QImage m_Image;
    double m_dProbe[3] = {0.0, 0.0, 0.0};
    double m_dProbeValue = 0.0;
};

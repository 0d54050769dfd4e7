#include "ui/PlaneView.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/DocObserver.h"
#include "document/PlumexDoc.h"
#include "geometry/CutPlane.h"
#include "image/Dib.h"
#include "ui/ModeCursors.h"
#include "ui/MouseMode.h"

CPlaneView::CPlaneView(CPlumexDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setToolTip("Drag to zoom, Ctrl + drag to pan, double-click to see the whole section");
    RebuildImage();
}

void CPlaneView::OnDocEvent(const DocEvent& e) {
    if (e == DocEvent::CutPlaneChanged) OnSectionChanged();
    else if (e == DocEvent::ViewsUpdate || e == DocEvent::ResultsReady) update();
}

void CPlaneView::RebuildImage() {
    const CDib* dib = m_doc.m_CutPlane.Image();
    if (!dib || dib->IsEmpty() || dib->Width() <= 0 || dib->Height() <= 0) {
        m_Image = QImage();
        return;
    }
    const int w = dib->Width();
    const int h = dib->Height();
    QImage img(w, h, QImage::Format_Indexed8);
    // The section's palette gives the colours; without one, grey levels.
    QList<QRgb> colours(256);
    const CPalette* pal = m_doc.m_CutPlane.Palette();
    for (int i = 0; i < 256; ++i) {
        if (pal && i < static_cast<int>(pal->m_entries.size())) {
            const PALETTEENTRY& e = pal->m_entries[i];
            colours[i] = qRgb(e.peRed, e.peGreen, e.peBlue);
        } else {
            colours[i] = qRgb(i, i, i);
        }
    }
    img.setColorTable(colours);
    // The bits run bottom row first; image row 0 (the plane's smallest y) goes on top.
    for (int t = 0; t < h; ++t)
        std::memcpy(img.scanLine(t), dib->Bits() + static_cast<std::size_t>(h - 1 - t) * dib->Stride(),
                    static_cast<std::size_t>(w));
    m_Image = img;
}

QSize CPlaneView::SectionSize() const {
    if (m_Image.isNull()) return QSize();
    // The image may keep spare pixels right of and below the section.
    const CCutPlane& plane = m_doc.m_CutPlane;
    const int w = std::clamp(plane.ImageWidth(), 1, m_Image.width());
    const int h = std::clamp(plane.ImageHeight(), 1, m_Image.height());
    return QSize(w, h);
}

QRect CPlaneView::PlotArea() const {
    const QFontMetrics fm = fontMetrics();
    const int left = VerticalAxisWidth(fm);
    const int top = fm.height() / 2 + 2;
    const int right = LegendWidth(fm);
    const int bottom = HorizontalAxisHeight(fm);
    return QRect(left, top, std::max(1, width() - left - right), std::max(1, height() - top - bottom));
}

QRect CPlaneView::LegendArea() const {
    const QRect plot = PlotArea();
    return QRect(plot.right() + 1, plot.top(), std::max(1, width() - plot.right() - 1), plot.height());
}

int CPlaneView::FitMargin() const {
    const QRect plot = PlotArea();
    return std::max(4, std::min(plot.width(), plot.height()) / 20);
}

void CPlaneView::Fit() {
    m_bUserView = false;
    const QRect plot = PlotArea();
    m_rcDest = CRect(plot.left(), plot.top(), plot.left() + plot.width(), plot.top() + plot.height());
    const QSize section = SectionSize();
    if (section.isEmpty()) return;
    // One scale both ways, so that the whole section fits inside the margin.
    const int margin = FitMargin();
    const double room = std::max(1, plot.width() - 2 * margin), roomUp = std::max(1, plot.height() - 2 * margin);
    const double s = std::max(section.width() / room, section.height() / roomUp);
    m_dScaleX = m_dScaleY = s;
    // Centred: the source reaches equally far past the section on both sides.
    const int sw = std::max(1, static_cast<int>(plot.width() * s + 0.5));
    const int sh = std::max(1, static_cast<int>(plot.height() * s + 0.5));
    m_rcSource.left = (section.width() - sw) / 2;
    m_rcSource.top = (section.height() - sh) / 2;
    RecomputeSourceSize();
}

void CPlaneView::OnSectionChanged() {
    RebuildImage();
    Fit();
    update();
}

void CPlaneView::RecomputeSourceSize() {
    m_rcSource.right = m_rcSource.left + std::max(1, static_cast<int>(m_rcDest.Width() * m_dScaleX + 0.5));
    m_rcSource.bottom = m_rcSource.top + std::max(1, static_cast<int>(m_rcDest.Height() * m_dScaleY + 0.5));
}

QPoint CPlaneView::ClientToImage(int x, int y) const {
    const int dw = std::max(1, m_rcDest.Width());
    const int dh = std::max(1, m_rcDest.Height());
    return QPoint((x - m_rcDest.left) * m_rcSource.Width() / dw + m_rcSource.left,
                  (y - m_rcDest.top) * m_rcSource.Height() / dh + m_rcSource.top);
}

CRect CPlaneView::ImageToClient(int l, int t, int r, int b) const {
    const int sw = std::max(1, m_rcSource.Width());
    const int sh = std::max(1, m_rcSource.Height());
    const int dw = m_rcDest.Width();
    const int dh = m_rcDest.Height();
    return CRect((l - m_rcSource.left) * dw / sw + m_rcDest.left, (t - m_rcSource.top) * dh / sh + m_rcDest.top,
                 (r - m_rcSource.left) * dw / sw + m_rcDest.left, (b - m_rcSource.top) * dh / sh + m_rcDest.top);
}

CRect CPlaneView::ImageRect() const {
    const QSize section = SectionSize();
    return ImageToClient(0, 0, section.width(), section.height());
}

AxisMap CPlaneView::AcrossMap() const {
    // Image column at client x, then the plane's x of that column.
    const CCutPlane& plane = m_doc.m_CutPlane;
    const QSize section = SectionSize();
    const double perColumn = section.isEmpty() ? 1.0 : (plane.m_dExtent[1] - plane.m_dExtent[0]) / section.width();
    const double k = static_cast<double>(m_rcSource.Width()) / std::max(1, m_rcDest.Width());
    return AxisMap{plane.m_dExtent[0] + (m_rcSource.left - m_rcDest.left * k) * perColumn, k * perColumn};
}

AxisMap CPlaneView::UpMap() const {
    // The plane's y grows down the image; the height is its reverse.
    const CCutPlane& plane = m_doc.m_CutPlane;
    const QSize section = SectionSize();
    const double perRow = section.isEmpty() ? 1.0 : (plane.m_dExtent[3] - plane.m_dExtent[2]) / section.height();
    const double k = static_cast<double>(m_rcSource.Height()) / std::max(1, m_rcDest.Height());
    return AxisMap{-(plane.m_dExtent[2] + (m_rcSource.top - m_rcDest.top * k) * perRow), -k * perRow};
}

void CPlaneView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!m_bUserView) {
        Fit();
        return;
    }
    // A zoomed or panned view keeps its scale in the new plot.
    const QRect plot = PlotArea();
    m_rcDest = CRect(plot.left(), plot.top(), plot.left() + plot.width(), plot.top() + plot.height());
    RecomputeSourceSize();
}

void CPlaneView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QRect plot = PlotArea();
    const QSize section = SectionSize();
    if (section.isEmpty()) {
        DrawAxisArrows(p, plot);
        return;
    }
    // Nearest-neighbour scaling and no antialiasing: cells stay sharp
    // squares at any zoom and device pixel ratio.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setRenderHint(QPainter::Antialiasing, false);
    const CRect r = ImageRect();
    p.setClipRect(plot);
    p.drawImage(QRect(r.left, r.top, r.Width(), r.Height()), m_Image, QRect(QPoint(0, 0), section));
    // A light frame shows how far the section reaches.
    p.setPen(QColor(210, 210, 210));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(r.left - 1, r.top - 1, r.Width() + 1, r.Height() + 1));
    p.setClipping(false);
    DrawMetreAxes(p, plot, AcrossMap(), UpMap());
    const CCutPlane& plane = m_doc.m_CutPlane;
    const double lo = plane.m_fLevelMin.m_fConc, hi = plane.m_fLevelMax.m_fConc;
    DrawConcentrationLegend(p, LegendArea(), std::min(lo, hi), std::max(lo, hi),
                            [this, &plane](double v) { return QColor::fromRgb(m_Image.color(plane.ColourIndex(v))); });
}

void CPlaneView::UpdateCursor() {
    // The 3-D view's hand and magnifier, drawn for this screen's pixel ratio.
    if (m_nMode == Panning) setCursor(ModeCursor(int(MouseMode::Move), devicePixelRatioF()));
    else if (m_nMode == Zooming) setCursor(ModeCursor(int(MouseMode::Zoom), devicePixelRatioF()));
    else if (m_nMode == Idle) unsetCursor();
}

void CPlaneView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    m_nMode = (event->modifiers() & Qt::ControlModifier) ? Panning : Zooming;
    m_ptDown = m_ptLast = event->position().toPoint();
    UpdateCursor();
}

void CPlaneView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    m_nMode = Idle;
    UpdateCursor();
}

void CPlaneView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
    Fit();
    update();
}

void CPlaneView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pt = event->position().toPoint();
    if ((event->buttons() & Qt::LeftButton) && (event->modifiers() & Qt::ControlModifier) && m_nMode != Panning) {
        m_nMode = Panning;
        UpdateCursor();
    }
    if (m_nMode == Panning) {
        m_rcSource.OffsetRect(m_ptLast.x() - pt.x(), m_ptLast.y() - pt.y());
        m_ptLast = pt;
        m_bUserView = true;
        update();
    } else if (m_nMode == Zooming) {
        const double g = static_cast<double>(pt.y() - m_ptLast.y()) / std::max(1, m_rcDest.Height()) + 1.0;
        // A drag up by more than the pane's height would turn the image over: ignored.
        if (g * m_dScaleX >= 0.0 && g * m_dScaleY >= 0.0) {
            m_dScaleX *= g;
            m_dScaleY *= g;
            RecomputeSourceSize();
            m_ptLast = pt;
            m_bUserView = true;
            update();
        }
    }
    // The axes and the legend are no part of the section.
    if (!m_Image.isNull() && PlotArea().contains(pt)) Probe(pt.x(), pt.y());
}

void CPlaneView::Probe(int x, int y) {
    CCutPlane& plane = m_doc.m_CutPlane;
    const QPoint px = ClientToImage(x, y);
    double wx = 0.0, wy = 0.0, wz = 0.0;
    const float v = plane.Probe(px.x(), px.y(), wx, wy, wz, nullptr);
    m_dProbe[0] = CCutPlane::TruncateDecimals(wx, 3);
    m_dProbe[1] = CCutPlane::TruncateDecimals(wy, 3);
    m_dProbe[2] = CCutPlane::TruncateDecimals(wz, 3);
    m_dProbeValue = CCutPlane::TruncateDecimals(v, 4);
    for (int k = 0; k < 3; ++k) plane.m_fProbe[k] = static_cast<float>(m_dProbe[k]);
    plane.m_fProbeValue = static_cast<float>(m_dProbeValue);
    emit probed(m_dProbe[0], m_dProbe[1], m_dProbe[2], m_dProbeValue);
    // The 3-D view marks the probe point; the data pane shows it.
    m_doc.UpdateAllViews();
}

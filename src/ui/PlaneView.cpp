#include "ui/PlaneView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
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

void CPlaneView::OnSectionChanged() {
    RebuildImage();
    if (!m_Image.isNull()) {
        const int w = m_Image.width();
        const int h = m_Image.height();
        const int left = kAxisMargin;
        const int top = 0;
        const int cw = std::max(1, width() - kAxisMargin);
        const int ch = std::max(1, height() - kAxisMargin);
        int dw, dh;
        if (static_cast<double>(ch) / h >= static_cast<double>(cw) / w) {
            dw = cw;
            dh = std::max(kMinFittedSide, static_cast<int>(static_cast<double>(cw) * h / w));
        } else {
            dh = ch;
            dw = std::max(kMinFittedSide, static_cast<int>(static_cast<double>(ch) * w / h));
        }
        m_rcDest = CRect(left, top, left + dw, top + dh);
        m_dScaleX = static_cast<double>(w) / dw;
        m_dScaleY = static_cast<double>(h) / dh;
        m_rcSource.right -= m_rcSource.left;
        m_rcSource.bottom -= m_rcSource.top;
        m_rcSource.left = m_rcSource.top = 0;
        RecomputeSourceSize();
    }
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
    // The destination's top is 0 after every fit: no top offset.
    return CRect((l - m_rcSource.left) * dw / sw + m_rcDest.left, (t - m_rcSource.top) * dh / sh,
                 (r - m_rcSource.left) * dw / sw + m_rcDest.left, (b - m_rcSource.top) * dh / sh);
}

void CPlaneView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_rcDest.right = std::max(1, width());
    m_rcDest.bottom = std::max(1, height());
    RecomputeSourceSize();
}

void CPlaneView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    // Nearest-neighbour scaling and no antialiasing: cells stay sharp
    // squares at any zoom and device pixel ratio.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!m_Image.isNull()) {
        m_rcImage = ImageToClient(0, 0, m_Image.width(), m_Image.height());
        p.drawImage(QRect(m_rcImage.left, m_rcImage.top, m_rcImage.Width(), m_rcImage.Height()), m_Image);
    }
    const int W = width();
    const int H = height();
    QPen green(QColor(0, 255, 0), 1);
    green.setCosmetic(true);
    p.setPen(green);
    p.drawPolyline(QPolygon({QPoint(5, H - 5), QPoint(W - 2, H - 5)}));
    p.drawPolyline(QPolygon({QPoint(W - 7, H), QPoint(W - 2, H - 5), QPoint(W - 7, H - 11)}));
    QPen blue(QColor(0, 0, 255), 1);
    blue.setCosmetic(true);
    p.setPen(blue);
    p.drawPolyline(QPolygon({QPoint(5, H - 5), QPoint(5, 2)}));
    p.drawPolyline(QPolygon({QPoint(0, 7), QPoint(5, 2), QPoint(11, 7)}));
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

void CPlaneView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pt = event->position().toPoint();
    if ((event->buttons() & Qt::LeftButton) && (event->modifiers() & Qt::ControlModifier) && m_nMode != Panning) {
        m_nMode = Panning;
        UpdateCursor();
    }
    if (m_nMode == Panning) {
        m_rcSource.OffsetRect(m_ptLast.x() - pt.x(), m_ptLast.y() - pt.y());
        m_ptLast = pt;
        update();
    } else if (m_nMode == Zooming) {
        const double g = static_cast<double>(pt.y() - m_ptLast.y()) / std::max(1, m_rcDest.Height()) + 1.0;
        // A drag up by more than the pane's height would turn the image over: ignored.
        if (g * m_dScaleX >= 0.0 && g * m_dScaleY >= 0.0) {
            m_dScaleX *= g;
            m_dScaleY *= g;
            RecomputeSourceSize();
            m_ptLast = pt;
            update();
        }
    }
    if (!m_Image.isNull()) Probe(pt.x(), pt.y());
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

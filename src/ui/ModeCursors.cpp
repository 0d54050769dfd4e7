#include "ui/ModeCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "ui/MouseMode.h"

namespace {
constexpr int kSize = 32;  // logical pixels

// Draws the outline path white and wide first, then black on top, so the
// cursor shows on the dark sea as well as on the light floor.
void Stroke(QPainter& p, const QPainterPath& path, bool fill = false) {
    p.setPen(QPen(Qt::white, 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(QPen(Qt::black, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
    p.drawPath(path);
}

void DrawHand(QPainter& p) {
    QPainterPath path;
    path.addRoundedRect(QRectF(9, 14, 15, 13), 5, 5);
    for (int i = 0; i < 4; ++i)
        path.addRoundedRect(QRectF(9.5 + i * 3.6, 5 + (i == 0 || i == 3 ? 3 : 0), 3.2, 12), 1.6, 1.6);
    path.addRoundedRect(QRectF(4, 15, 7, 3.2), 1.6, 1.6);
    Stroke(p, path.simplified(), true);
}

void DrawMagnifier(QPainter& p) {
    QPainterPath glass;
    glass.addEllipse(QPointF(13, 13), 8, 8);
    QPainterPath handle;
    handle.moveTo(19, 19);
    handle.lineTo(28, 28);
    Stroke(p, glass, true);
    p.setPen(QPen(Qt::black, 4.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(handle);
    QPainterPath plus;
    plus.moveTo(9, 13);
    plus.lineTo(17, 13);
    plus.moveTo(13, 9);
    plus.lineTo(13, 17);
    p.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(plus);
}

void DrawRotate(QPainter& p) {
    QPainterPath arc;
    arc.arcMoveTo(QRectF(6, 6, 20, 20), 60);
    arc.arcTo(QRectF(6, 6, 20, 20), 60, 280);
    const QPointF end = arc.currentPosition();
    QPainterPath head;
    head.moveTo(end + QPointF(-6, -3));
    head.lineTo(end + QPointF(1, 1));
    head.lineTo(end + QPointF(-1, -7));
    Stroke(p, arc);
    Stroke(p, head);
}

void DrawPlane(QPainter& p) {
    QPainterPath plane;
    plane.moveTo(3, 20);
    plane.lineTo(12, 14);
    plane.lineTo(29, 14);
    plane.lineTo(20, 20);
    plane.closeSubpath();
    Stroke(p, plane, true);
    QPainterPath arrow;
    arrow.moveTo(16, 3);
    arrow.lineTo(16, 29);
    arrow.moveTo(12, 7);
    arrow.lineTo(16, 3);
    arrow.lineTo(20, 7);
    arrow.moveTo(12, 25);
    arrow.lineTo(16, 29);
    arrow.lineTo(20, 25);
    Stroke(p, arrow);
}
}  // namespace

QCursor ModeCursor(int mode, qreal devicePixelRatio) {
    const MouseMode m = static_cast<MouseMode>(mode);
    if (m != MouseMode::Move && m != MouseMode::Zoom && m != MouseMode::Rotate && m != MouseMode::Plane)
        return QCursor(Qt::ArrowCursor);
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(int(kSize * dpr), int(kSize * dpr));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPoint hot(16, 16);
    switch (m) {
    case MouseMode::Move:
        DrawHand(p);
        break;
    case MouseMode::Zoom:
        DrawMagnifier(p);
        hot = QPoint(13, 13);
        break;
    case MouseMode::Rotate:
        DrawRotate(p);
        break;
    default:
        DrawPlane(p);
        break;
    }
    p.end();
    // Hot spots are given in logical pixels.
    return QCursor(pixmap, hot.x(), hot.y());
}

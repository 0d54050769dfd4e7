#include "ui/PlaneCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
QPixmap BlankCursorPixmap() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    return pm;
}

// Black strokes with a white rim so the cursor shows on dark and light sections.
void StrokeTwice(QPainter& p, const QPainterPath& path) {
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}
}  // namespace

QCursor MakePanCursor() {
    QPixmap pm = BlankCursorPixmap();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    // Four fingers and a thumb over a palm.
    for (int f = 0; f < 4; ++f) {
        const int x = 9 + 5 * f;
        hand.moveTo(x, 16);
        hand.lineTo(x, f == 0 || f == 3 ? 7 : 4);
    }
    hand.moveTo(7, 18);
    hand.lineTo(3, 14);
    hand.addRoundedRect(QRectF(7, 14, 19, 14), 5, 5);
    StrokeTwice(p, hand);
    p.end();
    return QCursor(pm, 16, 16);
}

QCursor MakeZoomCursor() {
    QPixmap pm = BlankCursorPixmap();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath glass;
    glass.addEllipse(QPointF(12, 12), 8, 8);
    glass.moveTo(18, 18);
    glass.lineTo(29, 29);
    // An up/down mark inside: dragging changes the zoom.
    glass.moveTo(12, 8);
    glass.lineTo(12, 16);
    glass.moveTo(8, 12);
    glass.lineTo(16, 12);
    StrokeTwice(p, glass);
    p.end();
    return QCursor(pm, 12, 12);
}

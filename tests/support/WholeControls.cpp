#include "support/WholeControls.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <algorithm>

namespace {
QString Describe(const QWidget* w) {
    QString text;
    if (auto* l = qobject_cast<const QLabel*>(w)) text = l->text();
    else if (auto* b = qobject_cast<const QAbstractButton*>(w)) text = b->text();
    else if (auto* g = qobject_cast<const QGroupBox*>(w)) text = g->title();
    QString name = w->metaObject()->className();
    if (!w->objectName().isEmpty()) name += " " + w->objectName();
    if (!text.isEmpty()) name += " \"" + text + "\"";
    return name;
}

// The width the control needs to show all of itself.
int NeededWidth(const QWidget* w) {
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text().isEmpty() || l->wordWrap() ? 0 : l->sizeHint().width();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text().isEmpty() ? 0 : b->sizeHint().width();
    if (qobject_cast<const QGroupBox*>(w) || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w))
        return w->minimumSizeHint().width();
    if (auto* t = qobject_cast<const QTabBar*>(w)) return t->sizeHint().width();
    return 0;
}

bool Checked(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QGroupBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QTabBar*>(w);
}

// Where the control's rectangle leaves a clipping parent on the way up to pane.
QString Clipped(const QWidget* w, const QWidget* pane) {
    QRect r = w->geometry();
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        const bool viewport = p->parentWidget() && qobject_cast<const QAbstractScrollArea*>(p->parentWidget()) &&
                              static_cast<const QAbstractScrollArea*>(p->parentWidget())->viewport() == p;
        const QRect inside = p->rect();
        const bool across = r.left() >= inside.left() && r.right() <= inside.right();
        const bool down = viewport || (r.top() >= inside.top() && r.bottom() <= inside.bottom());
        if (!across || !down)
            return QString("reaches past %1 (%2,%3 %4x%5 in %6x%7)")
                .arg(Describe(p))
                .arg(r.x())
                .arg(r.y())
                .arg(r.width())
                .arg(r.height())
                .arg(inside.width())
                .arg(inside.height());
        if (p == pane) break;
        if (viewport) {
            // What lies above or below the viewport is scrolled away, not cut.
            r.setTop(std::max(r.top(), inside.top()));
            r.setBottom(std::min(r.bottom(), inside.bottom()));
            if (r.height() <= 0) return {};
        }
        r.translate(p->pos());
    }
    return {};
}
}  // namespace

QStringList CutControls(const QWidget* pane) {
    QStringList cut;
    QList<const QWidget*> all{pane};
    for (const QWidget* w : pane->findChildren<QWidget*>()) all << w;
    for (const QWidget* w : all) {
        if (!Checked(w) || (w != pane && !w->isVisibleTo(pane)) || !w->isVisible()) continue;
        const int needed = NeededWidth(w);
        if (w->width() < needed) cut << QString("%1 is %2 wide, needs %3").arg(Describe(w)).arg(w->width()).arg(needed);
        if (w != pane)
            if (const QString where = Clipped(w, pane); !where.isEmpty()) cut << Describe(w) + " " + where;
    }
    return cut;
}

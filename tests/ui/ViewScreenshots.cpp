// Opens a case in the 3-D view, uses each mouse mode with real mouse events
// and saves the picture after each, then the waves on the water and the
// particles (streaks, then smoke), plus the mode cursors at twice the
// pixels, to look at them:
//   xvfb-run -a -s '-screen 0 1280x1024x24' build/bin/view_screenshots OUTDIR CASE.pmx
#include <QApplication>
#include <QPainter>
#include <QSurfaceFormat>
#include <QTest>

#include <cstdio>
#include <string>

#include "base/AppState.h"
#include "base/StderrPrompt.h"
#include "document/PlumexDoc.h"
#include "ui/GlFormat.h"
#include "ui/ModeCursors.h"
#include "ui/PlumexView.h"

namespace {
// Says yes to the question the disturbance asks.
class CYesPrompt : public CStderrPrompt {
public:
    bool AskYesNo(const std::string&) override { return true; }
};

void Drag(CPlumexView& view, QPoint a, QPoint b) {
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, a);
    for (int i = 1; i <= 10; ++i) {
        const QPoint p = a + (b - a) * i / 10;
        QMouseEvent move(QEvent::MouseMove, QPointF(p), view.mapToGlobal(QPointF(p)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
    }
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, b);
}

void Save(CPlumexView& view, const QString& path) {
    QTest::qWait(100);
    std::printf("%s %s\n", view.SavePicture(path) ? "wrote" : "cannot write", qPrintable(path));
}
}  // namespace

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(SceneSurfaceFormat());
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: view_screenshots OUTDIR CASE.pmx\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    CAppState state;
    CYesPrompt prompt;
    CPlumexDoc doc(state, prompt);
    if (!doc.OpenCase(argv[2])) return 1;
    CPlumexView view(doc);
    view.resize(800, 600);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) return 1;
    Save(view, out + "/view-start.png");

    view.SetMouseMode(int(MouseMode::Rotate));
    Drag(view, QPoint(300, 300), QPoint(500, 300));
    Save(view, out + "/view-rotate.png");
    view.SetMouseMode(int(MouseMode::Zoom));
    Drag(view, QPoint(400, 300), QPoint(400, 200));
    Save(view, out + "/view-zoom.png");
    view.SetMouseMode(int(MouseMode::Plane));
    Drag(view, QPoint(5, 5), QPoint(5, 100));
    Save(view, out + "/view-plane.png");
    view.SetFastDisplay(false);
    Save(view, out + "/view-sorted.png");

    // The still water is part of every frame above; now let waves run.
    view.ToggleDisturbance();
    QTest::qWait(3000);
    Save(view, out + "/view-water.png");
    view.ToggleDisturbance();
    view.ToggleParticles();
    QTest::qWait(3000);
    Save(view, out + "/view-particles.png");
    view.SetFastDisplay(true);
    QTest::qWait(1000);
    Save(view, out + "/view-smoke.png");
    view.ToggleParticles();
    Save(view, out + "/view-after.png");

    QImage cursors(4 * 80, 80, QImage::Format_ARGB32);
    cursors.fill(QColor(45, 71, 128));
    QPainter p(&cursors);
    for (int m = 0; m < 4; ++m) {
        const QPixmap pixmap = ModeCursor(1 << m, 2.0).pixmap();
        p.drawPixmap(m * 80 + 8, 8, pixmap);
    }
    p.end();
    std::printf("%s\n", cursors.save(out + "/cursors.png") ? "wrote cursors.png" : "cannot write cursors.png");
    return 0;
}

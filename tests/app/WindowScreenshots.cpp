// Saves pictures of the program's main window, to look at (not a test):
//   start-page.png    the empty window with the start page over it
//   plots.png         the case FILE open (computed beforehand with --batch)
//                     with the Plots dock shown
//   edit-history.png  the same case after three edits, one taken back: the
//                     Edit menu open and the Edit history dock shown
//   scene-after-run.png  with a case text TEXT.json (and CONTINUOUS: "continuous"):
//                     that case opened as a new case and run with the jet
//                     model, the 3-D view as the run leaves it
//   scene-fit-all.png the same after the wheel and View > Fit All
//   xvfb-run -a -s '-screen 0 1280x1024x24' build/bin/window_screenshots OUTDIR FILE.pmx [TEXT.json [continuous]]
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QSurfaceFormat>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <cstdio>

#include "document/PlumexDoc.h"
#include "edit/CurrentAngleCommand.h"
#include "edit/EditHistory.h"
#include "edit/ItemValuesCommand.h"
#include "edit/TreeEditCommand.h"
#include "gui/CaseDocument.h"
#include "gui/ChildFrame.h"
#include "gui/EditHost.h"
#include "gui/MainFrame.h"
#include "gui/PlumexApp.h"
#include "gui/ResultsHost.h"
#include "gui/RunController.h"
#include "model/RunOptions.h"
#include "ui/GlFormat.h"
#include "ui/PlumexView.h"

namespace {
bool GrabScreen(const QString& path) {
    QTest::qWait(1500);
    const bool ok = QGuiApplication::primaryScreen()->grabWindow(0).save(path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "cannot write", qPrintable(path));
    return ok;
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QSurfaceFormat::setDefaultFormat(SceneSurfaceFormat());
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_screenshots OUTDIR FILE.pmx\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir profileDir;
    PlumexStartOptions options;
    options.m_strProfilePath = profileDir.filePath("plumex.ini");
    QSettings(options.m_strProfilePath, QSettings::IniFormat).setValue("PLUMEX/ShowBegin", 1);
    options.m_bShowSplash = false;
    CPlumexApp plumex(options);
    if (!plumex.Start()) return 1;
    bool ok = GrabScreen(out + "/start-page.png");

    if (!plumex.OpenFile(QString::fromLocal8Bit(argv[2]))) return 1;
    plumex.MainFrame()->Action("view.plots")->trigger();
    plumex.MainFrame()->resizeDocks({plumex.MainFrame()->Results().Dock()}, {430}, Qt::Horizontal);
    ok = GrabScreen(out + "/plots.png") && ok;

    CMainFrame& frame = *plumex.MainFrame();
    frame.Action("view.plots")->trigger();
    CCaseDocument& doc = *plumex.Documents().front();
    CPlumexDoc& d = doc.Doc();
    if (CJet* jet = d.GetCurrentJet()) {
        JetData values = jet->GetData();
        values.m_dDiameter *= 1.5;
        doc.History().Push(CItemValuesCommand::Make(d, values, CheckSurface::InputBar));
    }
    doc.History().Push(CCurrentAngleCommand::Make(d, 45.0f));
    doc.History().Push(CTreeEditCommand::Make(d, CTreeEditCommand::Kind::Add, TreeLevel::Jet));
    doc.History().Stack().undo();
    frame.Action("view.editHistory")->trigger();
    frame.resizeDocks({frame.Edits().Dock()}, {300}, Qt::Horizontal);
    for (QAction* a : frame.menuBar()->actions())
        if (a->text() == "&Edit")
            a->menu()->popup(frame.menuBar()->mapToGlobal(frame.menuBar()->actionGeometry(a).bottomLeft()));
    ok = GrabScreen(out + "/edit-history.png") && ok;
    if (argc < 4) return ok ? 0 : 1;

    for (QAction* a : frame.menuBar()->actions())
        if (a->menu()) a->menu()->hide();
    frame.Action("view.editHistory")->trigger();
    // Beside the edited case, which is not to be saved.
    if (!plumex.OpenFile(QString::fromLocal8Bit(argv[3]), false)) return 1;
    CCaseDocument& text = *plumex.Documents().back();
    if (argc > 4 && QString(argv[4]) == "continuous") {
        RunOptions run = text.Doc().GetRunOptions();
        run.m_bContinuous = true;
        text.Doc().SetRunOptions(run);
    }
    QTest::qWait(500);
    if (!frame.Runs().RunAllJets(text)) return 1;
    QElapsedTimer clock;
    clock.start();
    while (frame.Runs().IsRunning() && clock.elapsed() < 60000) QTest::qWait(20);
    ok = GrabScreen(out + "/scene-after-run.png") && ok;
    CPlumexView& view = *frame.ActiveChild()->SceneView();
    for (int k = 0; k < 10; ++k) {
        const QPointF at(view.width() / 2.0, view.height() / 2.0);
        QWheelEvent wheel(at, view.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&view, &wheel);
    }
    frame.Action("view.fitAll")->trigger();
    ok = GrabScreen(out + "/scene-fit-all.png") && ok;
    return ok ? 0 : 1;
}

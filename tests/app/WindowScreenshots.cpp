// Saves pictures of the program's main window, to look at (not a test):
//   start-page.png    the empty window with the start page over it
//   case.png          the case FILE open (computed beforehand with --batch)
//                     in the layout a first start gives it
//   case-section.png  the same with the cross-section plane chosen in the data pane
//   plane-view.png    the plane view showing that section
//   data-area.png, data-disk.png, data-more.png, data-farfield.png
//                     the data pane as it stands in that layout, one
//                     picture per page of its "Data Output Window"
//   plots.png         the Plots dock shown as View > Plots opens it
//   plots-data.png    the data pane beside the open Plots dock
//   plots-dilution.png the plots of three jets' dilutions
//   plots-farfield.png the far field's plot (the last of the list)
//   input-farfield.png the input bar scrolled to its Far field section
//   profile.png       View > Profile of Ambient shown over the window
//   progress.png      the status bar with the progress meter of a run
//   profile-window.png, status-bar.png  the profile window and the status bar alone
//   edit-history.png  the same case after three edits, one taken back: the
//                     Edit menu open and the Edit history dock shown
//   option-menu.png   the Option menu open (Merge neighbouring plumes), the
//                     input bar with its merge box
//   run-menu.png      the Run menu open with its keys
//   scene-after-run.png  with a case text TEXT.json (and CONTINUOUS: "continuous"):
//                     that case opened as a new case and run with the jet
//                     model, the 3-D view as the run leaves it
//   scene-fit-all.png the same after the wheel and View > Fit All
//   scene-section.png the same with a cross-section SECTION m down the current (default 8)
// It also prints the sizes of the panes, so that pictures of two screen
// sizes can be compared in numbers.
//   xvfb-run -a -s '-screen 0 1280x1024x24' build/bin/window_screenshots OUTDIR FILE.pmx [TEXT.json [continuous|steady
//   [SECTION]]]
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QSurfaceFormat>
#include <QTabWidget>
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
#include "results_ui/PlotsWidget.h"
#include "ui/FarFieldForm.h"
#include "ui/GlFormat.h"
#include "ui/InputBar.h"
#include "ui/PlumexView.h"
#include "ui/ProfileWnd.h"
#include "ui/StatusProgress.h"

namespace {
bool Report(bool ok, const QString& path) {
    std::printf("%s %s\n", ok ? "wrote" : "cannot write", qPrintable(path));
    return ok;
}

bool GrabScreen(const QString& path) {
    QTest::qWait(1500);
    return Report(QGuiApplication::primaryScreen()->grabWindow(0).save(path, "PNG"), path);
}

bool GrabWidget(QWidget* w, const QString& path) {
    QTest::qWait(300);
    return Report(w && w->grab().save(path, "PNG"), path);
}

void PrintSize(const char* what, const QWidget* w) {
    if (!w) return;
    std::printf("  %-22s %4d x %-4d (minimum hint %d x %d)\n", what, w->width(), w->height(),
                w->minimumSizeHint().width(), w->minimumSizeHint().height());
}

void PrintLayout(const char* title, CMainFrame& frame, CChildFrame* child) {
    std::printf("%s\n", title);
    PrintSize("main window", &frame);
    PrintSize("input bar", frame.InputBar());
    if (!frame.Results().Dock()->isHidden()) PrintSize("plots dock", frame.Results().Dock());
    if (!child) return;
    PrintSize("3-D view", child->SceneView());
    PrintSize("plane view", child->PlaneView());
    PrintSize("data pane", child->DataView());
}

// The data pane's pages one after the other.
bool GrabDataPages(CChildFrame* child, const QString& out, const QString& prefix) {
    auto* tabs = child ? child->DataView()->findChild<QTabWidget*>("outputTabs") : nullptr;
    if (!tabs) return false;
    bool ok = true;
    const char* names[4] = {"area", "disk", "more", "farfield"};
    for (int k = 0; k < 4; ++k) {
        tabs->setCurrentIndex(k);
        ok = GrabWidget(child->DataView(), QString("%1/%2-%3.png").arg(out, prefix, names[k])) && ok;
    }
    tabs->setCurrentIndex(0);
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
    CMainFrame& frame = *plumex.MainFrame();
    ok = GrabScreen(out + "/case.png") && ok;
    CChildFrame* child = frame.ActiveChild();
    PrintLayout("case window:", frame, child);
    // The cross-section plane, chosen in the data pane: the plane view shows a section.
    if (auto* kind = child ? child->DataView()->findChild<QRadioButton*>("kind2") : nullptr) kind->click();
    ok = GrabScreen(out + "/case-section.png") && ok;
    ok = GrabWidget(child ? child->PlaneView() : nullptr, out + "/plane-view.png") && ok;
    ok = GrabDataPages(child, out, "data") && ok;

    frame.Action("view.plots")->trigger();
    ok = GrabScreen(out + "/plots.png") && ok;
    PrintLayout("with the Plots dock:", frame, child);
    ok = GrabWidget(child ? child->DataView() : nullptr, out + "/plots-data.png") && ok;
    // Dilutions of three jets: the legend tells the jets and the two lines apart.
    CPlotsWidget* plots = frame.Results().Plots();
    plots->SetKind(PlotKind::DilutionAlongPath);
    for (int row : {1, 4}) plots->JetList()->item(row)->setCheckState(Qt::Checked);
    ok = GrabWidget(plots, out + "/plots-dilution.png") && ok;
    if (auto* kinds = plots->findChild<QComboBox*>()) kinds->setCurrentIndex(kinds->count() - 1);
    ok = GrabWidget(plots, out + "/plots-farfield.png") && ok;
    if (auto* bar = frame.findChild<CInputBar*>()) {
        if (auto* scroll = bar->findChild<QScrollArea*>()) scroll->ensureWidgetVisible(bar->FarFieldForm());
        ok = GrabWidget(bar, out + "/input-farfield.png") && ok;
    }
    frame.Action("view.plots")->trigger();

    frame.Action("view.profile")->trigger();
    ok = GrabScreen(out + "/profile.png") && ok;
    ok = GrabWidget(frame.ProfileWindow(), out + "/profile-window.png") && ok;
    PrintSize("profile window", frame.ProfileWindow());
    frame.Action("view.profile")->trigger();

    frame.Progress().Begin(0, 100);
    frame.Progress().SetPosition(40);
    ok = GrabScreen(out + "/progress.png") && ok;
    ok = GrabWidget(frame.statusBar(), out + "/status-bar.png") && ok;
    PrintSize("progress meter", &frame.Progress());
    frame.Progress().End();

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
    auto openMenu = [&frame](const QString& title) {
        for (QAction* a : frame.menuBar()->actions()) {
            if (a->menu()) a->menu()->hide();
            if (a->text() == title)
                a->menu()->popup(frame.menuBar()->mapToGlobal(frame.menuBar()->actionGeometry(a).bottomLeft()));
        }
    };
    openMenu("&Edit");
    ok = GrabScreen(out + "/edit-history.png") && ok;
    frame.Action("view.editHistory")->trigger();
    openMenu("&Option");
    ok = GrabScreen(out + "/option-menu.png") && ok;
    openMenu("&Run");
    ok = GrabScreen(out + "/run-menu.png") && ok;
    if (argc < 4) return ok ? 0 : 1;

    for (QAction* a : frame.menuBar()->actions())
        if (a->menu()) a->menu()->hide();
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
    // A cross-section SECTION m down the current: through the wall of a row
    // of merged plumes, the plane view shows one band.
    CChildFrame* textChild = frame.ActiveChild();
    if (auto* kind = textChild->DataView()->findChild<QRadioButton*>("kind2")) kind->click();
    if (auto* distance = textChild->DataView()->findChild<QLineEdit*>("distance")) {
        distance->setFocus();
        distance->selectAll();
        QTest::keyClicks(distance, argc > 5 ? argv[5] : "8");
        QTest::keyClick(distance, Qt::Key_Return);
    }
    ok = GrabScreen(out + "/scene-section.png") && ok;
    return ok ? 0 : 1;
}

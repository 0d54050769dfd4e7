// The program's window while a run of the demo case in continuous mode ends:
// the longest time its event loop stood still (a click or key waits that
// long) from the Run command to the end of the run, and the time from the
// command to the end (the model's own time included). The run is measured
// with the 3-D view as it opens, with the Plots dock shown, and with Fast
// Display off (jets sorted and coloured); beside each, the stall of one
// repaint of the 3-D view, which no run can go below. Run under a display:
//   xvfb-run -a -s '-screen 0 1280x1024x24' build/bin/bench_run_window [RUNS]
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QSurfaceFormat>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "document/PlumexDoc.h"
#include "gui/CaseDocument.h"
#include "gui/ChildFrame.h"
#include "gui/MainFrame.h"
#include "gui/PlumexApp.h"
#include "gui/RunController.h"
#include "model/RunOptions.h"
#include "ui/GlFormat.h"
#include "ui/PlumexView.h"

namespace {
struct Figures {
    qint64 total = 0;    // ms from the command to the end of the run
    qint64 longest = 0;  // ms of the longest stall of the event loop
};

Figures MeasureRun(CPlumexApp& plumex, CCaseDocument& doc) {
    Figures f;
    QElapsedTimer clock, gap;
    // A timer of 5 ms: the longest gap between its ticks is the longest time
    // an event waited.
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] { f.longest = std::max(f.longest, gap.restart()); });
    clock.start();
    gap.start();
    tick.start();
    if (!plumex.MainFrame()->Runs().RunAllJets(doc)) {
        std::fprintf(stderr, "the run did not start\n");
        std::exit(1);
    }
    while (plumex.MainFrame()->Runs().IsRunning() && clock.elapsed() < 120000) QTest::qWait(5);
    f.total = clock.elapsed();
    // The paints and queued work the end of the run leaves.
    QTest::qWait(500);
    tick.stop();
    return f;
}

// For comparison: the stall of one repaint of the 3-D view, which every
// run ends with.
qint64 MeasureRepaint(CPlumexApp& plumex) {
    qint64 longest = 0;
    QElapsedTimer gap;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] { longest = std::max(longest, gap.restart()); });
    gap.start();
    tick.start();
    plumex.MainFrame()->ActiveChild()->SceneView()->update();
    QTest::qWait(500);
    return longest;
}

void Report(const char* what, const std::vector<Figures>& runs) {
    qint64 worst = 0, best = runs.front().longest, total = 0;
    for (const Figures& f : runs) {
        worst = std::max(worst, f.longest);
        best = std::min(best, f.longest);
        total += f.total;
    }
    std::printf("%-28s longest stall %5lld ms (best run %5lld ms)  command to end %6.0f ms mean\n", what,
                static_cast<long long>(worst), static_cast<long long>(best), double(total) / runs.size());
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QSurfaceFormat::setDefaultFormat(SceneSurfaceFormat());
    QApplication app(argc, argv);
    qputenv("PLUMEX_MODEL", PLUMEX_MODEL_EXE);
    QTemporaryDir profileDir;
    PlumexStartOptions options;
    options.m_strProfilePath = profileDir.filePath("plumex.ini");
    QSettings(options.m_strProfilePath, QSettings::IniFormat).setValue("PLUMEX/ShowBegin", 0);
    options.m_bShowSplash = false;
    CPlumexApp plumex(options);
    if (!plumex.Start() || !plumex.OpenFile(QStringLiteral(PLUMEX_DEMO_TEXT))) {
        std::fprintf(stderr, "cannot start the program with the demo case\n");
        return 1;
    }
    CMainFrame& frame = *plumex.MainFrame();
    CCaseDocument& doc = *plumex.Documents().front();
    RunOptions run = doc.Doc().GetRunOptions();
    run.m_bContinuous = true;
    doc.Doc().SetRunOptions(run);
    QTest::qWait(1000);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("demo case, continuous mode, %d runs of all jets each\n", runs);
    const auto measure = [&](const char* what) {
        std::vector<Figures> figures;
        qint64 repaint = 0;
        for (int i = 0; i < runs; ++i) {
            figures.push_back(MeasureRun(plumex, doc));
            repaint = std::max(repaint, MeasureRepaint(plumex));
        }
        Report(what, figures);
        std::printf("%-28s longest stall %5lld ms (a repaint of the 3-D view alone)\n", "",
                    static_cast<long long>(repaint));
    };
    measure("3-D view");
    frame.Action("view.plots")->trigger();
    QTest::qWait(500);
    measure("3-D view and Plots dock");
    frame.Action("view.plots")->trigger();
    frame.ActiveChild()->SceneView()->SetFastDisplay(false);
    QTest::qWait(500);
    measure("Fast Display off");
    return 0;
}

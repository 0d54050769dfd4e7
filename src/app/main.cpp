#include <QCoreApplication>
#include <QGuiApplication>
#include <QSurfaceFormat>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "base/SystemPath.h"
#include "cli/CommandLine.h"
#include "cli/RenderCommand.h"
#include "cli/ReportCommand.h"
#include "cli/StandardOutput.h"
#include "gui/GuiMain.h"
#include "ui/GlFormat.h"

int main(int argc, char** argv) {
    // Case files alone (or nothing) open the program window; any option
    // runs a job without one.
    if (ArgumentsAskForGui(argc, argv)) return RunGui(argc, argv);
    // Drawing (--render, --report) needs a GUI application; the other jobs
    // run headless. Without a display the offscreen platform lets --render
    // fail with a message instead of aborting in the platform plugin, and
    // --report go on without the 3-D picture.
    std::unique_ptr<QCoreApplication> application;
    if (ArgumentsAskForRender(argc, argv) || ArgumentsAskForReport(argc, argv)) {
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        QSurfaceFormat::setDefaultFormat(SceneSurfaceFormat());
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    // Qt takes the user's locale for the C library too; every file this
    // program reads or writes writes numbers with a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    WatchStandardOutput();
    QCoreApplication::setApplicationName("plumex");
    QCoreApplication::setApplicationVersion(PLUMEX_VERSION);
    int exitCode = 0;
    // File names are bytes: the arguments are taken as given (the
    // application object has removed its own options from argv).
    if (RunCommandLine(ArgumentsFromSystem(argc, argv), exitCode)) {
        // What a job printed is part of its result: a lost line is a failure.
        if (!FinishStandardOutput() && exitCode == 0) exitCode = 1;
        return exitCode;
    }
    std::fprintf(stderr,
                 "plumex: these options need a job (see --help); case files given alone open in the "
                 "program window\n");
    return 2;
}

#include "gui/GuiMain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QSurfaceFormat>

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "gui/PlumexApp.h"
#include "ui/GlFormat.h"

bool ArgumentsAskForGui(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] == '-') return false;
    return true;
}

int RunGui(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
        std::fprintf(stderr,
                     "plumex: no display to open the program window on; start it in a desktop session "
                     "or under xvfb-run, or see --help for the jobs that need none\n");
        return 2;
    }
    // Every 3-D view shares its GL objects with the others (two windows on
    // one case draw the same textures and lists), in a compatibility-profile
    // context for the scene's immediate-mode drawing.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QSurfaceFormat::setDefaultFormat(SceneSurfaceFormat());
    QApplication application(argc, argv);
    // Qt takes the user's locale for the C library too; every file this
    // program reads or writes writes numbers with a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName("plumex");
    QCoreApplication::setApplicationVersion(PLUMEX_VERSION);
    QGuiApplication::setApplicationDisplayName("Plumex");
    QGuiApplication::setDesktopFileName("plumex");
    QGuiApplication::setWindowIcon(QIcon(":/icons/plumex.svg"));

    PlumexStartOptions options;
    for (const QString& a : QCoreApplication::arguments().mid(1)) options.m_Files << QFileInfo(a).absoluteFilePath();
    CPlumexApp app(options);
    if (!app.Start()) return 1;
    return application.exec();
}

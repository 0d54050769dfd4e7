// Shows the start page and one help page (by default a tutorial page) in the
// help window and saves a grab of each as PNG, to look at them:
//   xvfb-run -a -s '-screen 0 1280x1024x24' build/bin/help_screenshots OUTDIR [PAGE.htm]
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include "ui/HelpBrowser.h"
#include "ui/HelpWindow.h"
#include "ui/StartPage.h"

namespace {
bool Grab(QWidget& w, const QString& path) {
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return false;
    QTest::qWait(300);
    const bool ok = w.grab().save(path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "cannot write", qPrintable(path));
    return ok;
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    const QString folder = CHelpBrowser::DefaultFolder();
    QTemporaryDir settingsDir;
    QSettings settings(settingsDir.filePath("plumex.ini"), QSettings::IniFormat);

    CStartPage start(folder, settings);
    bool ok = Grab(start, out + "/start-page.png");
    start.hide();

    CHelpWindow help(folder);
    help.resize(900, 860);
    const QString page = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("tut-section.htm");
    help.ShowPage(page);
    ok = Grab(help,
              out + "/" + (argc > 2 ? QFileInfo(page).completeBaseName() : QStringLiteral("tutorial-page")) + ".png") &&
         ok;
    return ok ? 0 : 1;
}

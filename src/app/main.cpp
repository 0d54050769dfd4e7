#include <QCoreApplication>
#include <cstdio>

#include "app/CommandLine.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("plumex");
    QCoreApplication::setApplicationVersion(PLUMEX_VERSION);
    int exitCode = 0;
    if (RunCommandLine(QCoreApplication::arguments(), exitCode)) return exitCode;
    std::fprintf(stderr, "plumex: the graphical user interface is not part of this build yet; see --help\n");
    return 2;
}

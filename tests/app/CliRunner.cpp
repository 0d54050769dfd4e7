#include "CliRunner.h"

#include <QProcess>

CliResult RunPlumex(const QStringList& args, int timeoutMs) {
    QProcess p;
    p.start(QString::fromUtf8(PLUMEX_EXE), args);
    CliResult r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = "plumex did not finish";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

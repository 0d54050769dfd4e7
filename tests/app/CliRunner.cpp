#include "CliRunner.h"

#include <sstream>

#include <fstream>

std::unique_ptr<QProcess> StartPlumex(const QStringList& args, const QProcessEnvironment& env, const QString& cwd) {
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(env);
    if (!cwd.isEmpty()) p->setWorkingDirectory(cwd);
    p->start(QString::fromUtf8(PLUMEX_EXE), args);
    return p;
}

CliResult FinishPlumex(QProcess& p, int timeoutMs) {
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

CliResult RunPlumex(const QStringList& args, int timeoutMs) { return FinishPlumex(*StartPlumex(args), timeoutMs); }

std::string ReadFileBytes(const QString& path) {
    std::ifstream f(path.toStdString(), std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

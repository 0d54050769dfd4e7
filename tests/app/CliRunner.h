#pragma once
// Runs the built plumex program and collects what it printed.
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <memory>
#include <string>

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Starts plumex with the environment env in the folder cwd (the test's own
// folder when empty); several may run at the same time.
std::unique_ptr<QProcess> StartPlumex(const QStringList& args,
                                      const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                                      const QString& cwd = QString());
// Waits for a started plumex (killed after timeoutMs) and collects its output.
CliResult FinishPlumex(QProcess& p, int timeoutMs = 60000);
// Both at once.
CliResult RunPlumex(const QStringList& args, int timeoutMs = 60000);
// The bytes of a file the program wrote (empty when it cannot be read).
std::string ReadFileBytes(const QString& path);

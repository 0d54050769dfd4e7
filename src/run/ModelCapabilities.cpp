#include "run/ModelCapabilities.h"

#include <signal.h>
#include <unistd.h>

#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <map>
#include <mutex>
#include <utility>

namespace {
constexpr char kPortRow[] = "port-row";

// The file a program name stands for, and its modification time (ms since
// the epoch, -1 when there is no such file).
std::pair<std::string, qint64> ProgramFile(const std::string& program) {
    QString path = QString::fromStdString(program);
    if (!path.contains('/')) {
        const QString found = QStandardPaths::findExecutable(path);
        if (!found.isEmpty()) path = found;
    }
    const QFileInfo info(path);
    if (!info.exists()) return {program, -1};
    const QString canonical = info.canonicalFilePath();
    return {(canonical.isEmpty() ? info.absoluteFilePath() : canonical).toStdString(),
            info.lastModified().toMSecsSinceEpoch()};
}

bool NamesPortRow(const QByteArray& output) {
    for (const QByteArray& line : output.split('\n'))
        if (line.trimmed() == kPortRow) return true;
    return false;
}
}  // namespace

bool AskModelReadsPortRows(const std::string& program, int timeoutMs) {
    QTemporaryDir empty;
    if (!empty.isValid()) return false;
    QProcess p;
    p.setProgram(QString::fromStdString(program));
    p.setArguments({QStringLiteral("--capabilities")});
    p.setWorkingDirectory(empty.path());
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    // A process group of its own, so that a program that hangs is stopped
    // together with whatever it started.
    p.setChildProcessModifier([] { ::setsid(); });
    p.start();
    if (!p.waitForStarted(timeoutMs)) return false;
    const qint64 group = p.processId();
    const bool ended = p.waitForFinished(timeoutMs);
    if (group > 0) ::kill(-static_cast<pid_t>(group), SIGKILL);
    if (!ended) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && NamesPortRow(p.readAllStandardOutput());
}

bool ModelReadsPortRows(const std::string& program) {
    static std::mutex guard;
    static std::map<std::pair<std::string, qint64>, bool> answers;
    const auto key = ProgramFile(program);
    {
        const std::lock_guard<std::mutex> lock(guard);
        const auto it = answers.find(key);
        if (it != answers.end()) return it->second;
    }
    const bool reads = key.second >= 0 && AskModelReadsPortRows(key.first, kCapabilityTimeoutMs);
    const std::lock_guard<std::mutex> lock(guard);
    answers[key] = reads;
    return reads;
}

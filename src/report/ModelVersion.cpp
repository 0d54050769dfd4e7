#include "report/ModelVersion.h"

#include <signal.h>
#include <unistd.h>

#include <QProcess>
#include <QTemporaryDir>

#include "run/RunSettings.h"

namespace {
// The probe's time limit, and the most of its answer read.
constexpr int kProbeTimeMs = 5000;
constexpr qint64 kMaxAnswerBytes = 4096;
}  // namespace

QString JetModelVersion(const CRunSettings& settings) {
    std::string program = settings.m_strModelProgram;
    if (program.empty()) program = CRunSettings::DefaultModelProgram();
    // As a run starts the model: in a private folder of its own (nothing it
    // writes lands beside the user's files), with no input, as the leader of
    // a process group that is killed when the probe ends, so nothing it
    // started keeps running.
    QTemporaryDir folder;
    if (!folder.isValid()) return QString();
    QProcess p;
    p.setWorkingDirectory(folder.path());
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.setChildProcessModifier([] { ::setsid(); });
    p.start(QString::fromStdString(program), {"--version"});
    if (!p.waitForStarted(kProbeTimeMs)) return QString();
    const qint64 group = p.processId();
    const bool answered =
        p.waitForFinished(kProbeTimeMs) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    const QByteArray answer = answered ? p.read(kMaxAnswerBytes) : QByteArray();
    if (group > 0) ::kill(-static_cast<pid_t>(group), SIGKILL);
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(1000);
    }
    return QString::fromLocal8Bit(answer).section('\n', 0, 0).trimmed();
}

QString JetModelVersion() { return JetModelVersion(CRunSettings()); }

#include "run/ModelProcess.h"

#include <QProcess>
#include <QString>

#include "run/RunProgress.h"
#include "run/RunSettings.h"

namespace {
void Stop(QProcess& p) {
    p.kill();
    p.waitForFinished(5000);
}
}  // namespace

ModelResult RunModelProcess(const CRunSettings& settings, CRunProgress* progress) {
    ModelResult result;
    QProcess process;
    process.setProgram(QString::fromStdString(settings.m_strModelProgram));
    process.setArguments({});
    process.setWorkingDirectory(QString::fromStdString(settings.m_strWorkDir));
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(10000)) {
        result.m_nOutcome = ModelOutcome::FailedToStart;
        result.m_strError = process.errorString().toStdString();
        Stop(process);
        return result;
    }

    bool finished = false;
    for (int wait = 0; wait < settings.m_nMaxWaits; ++wait) {
        if (process.waitForFinished(settings.m_nWaitMs) || process.state() == QProcess::NotRunning) {
            finished = true;
            break;
        }
        if (progress && progress->CancelRequested()) {
            Stop(process);
            result.m_nOutcome = ModelOutcome::Cancelled;
            return result;
        }
    }
    if (!finished) {
        Stop(process);
        result.m_nOutcome = ModelOutcome::TimedOut;
        return result;
    }

    result.m_strError = QString::fromLocal8Bit(process.readAllStandardError()).trimmed().toStdString();
    if (process.exitStatus() == QProcess::CrashExit) {
        result.m_nOutcome = ModelOutcome::ErrorExit;
        result.m_nExitCode = -1;
        if (result.m_strError.empty()) result.m_strError = "the program crashed";
        return result;
    }
    result.m_nExitCode = process.exitCode();
    result.m_nOutcome = result.m_nExitCode == 0 ? ModelOutcome::Finished : ModelOutcome::ErrorExit;
    return result;
}

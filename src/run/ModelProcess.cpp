#include "run/ModelProcess.h"

#include <signal.h>
#include <unistd.h>

#include <QString>

CModelProcess::CModelProcess(QObject* parent) : QObject(parent) {
    m_Deadline.setSingleShot(true);
    connect(&m_Deadline, &QTimer::timeout, this, [this] { Stop(ModelOutcome::TimedOut); });
}

CModelProcess::~CModelProcess() {
    if (!m_pProcess) return;
    m_pProcess->disconnect(this);
    KillGroup();
    m_pProcess->kill();
    m_pProcess->waitForFinished(5000);
}

bool CModelProcess::Start(const std::string& program, const std::string& workDir, int timeoutMs) {
    if (m_bRunning) return false;
    if (m_pProcess) {
        m_pProcess->disconnect(this);
        m_pProcess->deleteLater();
    }
    m_Result = ModelResult();
    m_strErrorTail.clear();
    m_nGroup = 0;
    m_bStopping = false;
    m_bRunning = true;
    m_Clock.start();

    m_pProcess = new QProcess(this);
    m_pProcess->setProgram(QString::fromStdString(program));
    m_pProcess->setArguments({});
    m_pProcess->setWorkingDirectory(QString::fromStdString(workDir));
    m_pProcess->setStandardInputFile(QProcess::nullDevice());
    m_pProcess->setStandardOutputFile(QProcess::nullDevice());
    m_pProcess->setReadChannel(QProcess::StandardError);
    // A session of its own makes the program the leader of a new process
    // group, which every process it starts joins unless it leaves on purpose.
    m_pProcess->setChildProcessModifier([] { ::setsid(); });
    connect(m_pProcess, &QProcess::started, this, &CModelProcess::OnStarted);
    connect(m_pProcess, &QProcess::finished, this, &CModelProcess::OnFinished);
    connect(m_pProcess, &QProcess::errorOccurred, this, &CModelProcess::OnError);
    connect(m_pProcess, &QProcess::readyReadStandardError, this, &CModelProcess::OnErrorOutput);
    m_Deadline.start(timeoutMs > 0 ? timeoutMs : 0);
    m_pProcess->start();
    return true;
}

void CModelProcess::Cancel() {
    if (m_bRunning) Stop(ModelOutcome::Cancelled);
}

void CModelProcess::OnStarted() { m_nGroup = m_pProcess->processId(); }

void CModelProcess::OnErrorOutput() {
    // Read in pieces so that a program writing without end costs no more
    // memory than the kept tail.
    for (;;) {
        const QByteArray chunk = m_pProcess->read(65536);
        if (chunk.isEmpty()) break;
        m_strErrorTail.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
        if (m_strErrorTail.size() > static_cast<std::size_t>(2 * kKeptErrorBytes))
            m_strErrorTail.erase(0, m_strErrorTail.size() - kKeptErrorBytes);
    }
}

void CModelProcess::KillGroup() {
    // The program's own group: also its children that are still running
    // after it ended. The group id cannot have been reused while the group
    // has members.
    if (m_nGroup > 0) ::kill(-static_cast<pid_t>(m_nGroup), SIGKILL);
    m_nGroup = 0;
}

void CModelProcess::Stop(ModelOutcome outcome) {
    if (!m_bRunning || m_bStopping) return;
    m_bStopping = true;
    m_eStopOutcome = outcome;
    m_Deadline.stop();
    KillGroup();
    if (m_pProcess->state() == QProcess::NotRunning) {
        End();
        return;
    }
    // finished() of the process ends the run with the stop outcome.
    m_pProcess->kill();
}

void CModelProcess::OnError(QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart || !m_bRunning) return;
    if (!m_bStopping) {
        m_Result.m_eOutcome = ModelOutcome::FailedToStart;
        m_Result.m_strError = m_pProcess->errorString().toStdString();
    } else {
        m_Result.m_eOutcome = m_eStopOutcome;
    }
    // Reported from the event loop, never from inside Start.
    QMetaObject::invokeMethod(this, &CModelProcess::End, Qt::QueuedConnection);
}

void CModelProcess::OnFinished(int exitCode, QProcess::ExitStatus status) {
    if (!m_bRunning) return;
    OnErrorOutput();
    if (m_bStopping) {
        m_Result.m_eOutcome = m_eStopOutcome;
    } else if (status == QProcess::CrashExit) {
        m_Result.m_eOutcome = ModelOutcome::ErrorExit;
        m_Result.m_nExitCode = -1;
    } else {
        m_Result.m_nExitCode = exitCode;
        m_Result.m_eOutcome = exitCode == 0 ? ModelOutcome::Finished : ModelOutcome::ErrorExit;
    }
    if (m_Result.m_eOutcome == ModelOutcome::ErrorExit) {
        std::string tail = m_strErrorTail.size() > static_cast<std::size_t>(kKeptErrorBytes)
                               ? m_strErrorTail.substr(m_strErrorTail.size() - kKeptErrorBytes)
                               : m_strErrorTail;
        m_Result.m_strError =
            QString::fromLocal8Bit(tail.data(), static_cast<qsizetype>(tail.size())).trimmed().toStdString();
        if (m_Result.m_strError.empty() && status == QProcess::CrashExit) m_Result.m_strError = "the program crashed";
    }
    End();
}

void CModelProcess::End() {
    m_Deadline.stop();
    // Whatever the program left running goes with it.
    KillGroup();
    m_bRunning = false;
    emit finished();
}

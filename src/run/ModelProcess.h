#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// Runs the jet model program once in the working directory, asynchronously:
// Start returns at once and finished() is emitted once when the run has
// ended, whatever the outcome (finished, failed to start, error exit, timed
// out, cancelled). The model writes its trajectory file under a temporary
// name and renames it when complete, so the end of the process is the end
// of the run.
//
// The program runs in a session (and process group) of its own. When the
// run ends, for whatever reason, the whole group is killed: nothing the
// model started outlives the run. Only the last kKeptErrorBytes of its
// standard error are kept; its standard output is discarded.
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QTimer>
#include <string>

enum class ModelOutcome { Finished, FailedToStart, ErrorExit, TimedOut, Cancelled };

struct ModelResult {
    ModelOutcome m_eOutcome = ModelOutcome::FailedToStart;
    int m_nExitCode = 0;
    std::string m_strError;  // the end of the program's standard error, or why it did not start
};

class CModelProcess : public QObject {
    Q_OBJECT
public:
    static constexpr int kKeptErrorBytes = 8192;

    explicit CModelProcess(QObject* parent = nullptr);
    // A run still going is ended (its process group killed) without a signal.
    ~CModelProcess() override;

    // Starts program in workDir with no arguments; the run is given
    // timeoutMs milliseconds. False (and nothing started) while a run goes.
    bool Start(const std::string& program, const std::string& workDir, int timeoutMs);
    // Stops a run that goes; finished() follows with the outcome Cancelled.
    void Cancel();
    bool IsRunning() const { return m_bRunning; }
    // Milliseconds since the start.
    qint64 Elapsed() const { return m_Clock.isValid() ? m_Clock.elapsed() : 0; }
    const ModelResult& Result() const { return m_Result; }

signals:
    void finished();

private:
    void OnStarted();
    void OnFinished(int exitCode, QProcess::ExitStatus status);
    void OnError(QProcess::ProcessError error);
    void OnErrorOutput();
    // Kills the process group and waits for the process; used for cancel and time-out.
    void Stop(ModelOutcome outcome);
    void KillGroup();
    void End();

    QProcess* m_pProcess = nullptr;
    QTimer m_Deadline;
    QElapsedTimer m_Clock;
    qint64 m_nGroup = 0;  // process group (= the program's process id) while it may have members
    bool m_bRunning = false;
    bool m_bStopping = false;
    ModelOutcome m_eStopOutcome = ModelOutcome::Cancelled;
    std::string m_strErrorTail;
    ModelResult m_Result;
};

#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// One model run of a case, driven without blocking. The job owns the run
// settings (working directory, file names, model program, time limit) and
// the plan. Start prepares the run (checks and questions through the case's
// prompt, input file, the jets by identity; PrepareRun) and starts the
// model; when the model has ended, its output is read into a RunResult on
// a thread of its own (ReadModelOutput; the case is only looked at before,
// through ReaderInputOf), that result is applied to the case on the case's
// thread (ApplyRunResult) and finished() is emitted. The event loop goes on
// meanwhile. The GUI connects to progress(), statusChanged() and
// finished(), offers Cancel(), shows Report().m_Problems once, and keeps
// structural edits off while the case reports a run in flight. Console jobs
// call WaitForFinished().
//
// The job must not outlive its case. A job destroyed while its model runs
// or its results are read stops the model (or waits for the reading) and
// leaves the jets unchanged.
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <thread>

#include "run/ModelProcess.h"
#include "run/RunPlan.h"
#include "run/RunResult.h"

class CCase;
class CReadingMeter;
class CRunProgress;
class CRunSettings;

class CRunJob : public QObject {
    Q_OBJECT
public:
    // settings: shared with whoever keeps them between runs (so that the
    // files of the last run stay readable); null makes fresh settings from
    // the environment and defaults.
    explicit CRunJob(CCase& doc, std::shared_ptr<CRunSettings> settings = nullptr, QObject* parent = nullptr);
    ~CRunJob() override;

    CRunSettings& Settings() const { return *m_pSettings; }
    const RunPlan& Plan() const { return m_Plan; }
    // The meter a waiting run asks whether to cancel (WaitForFinished); not
    // owned, may be null. The run's progress comes through progress().
    void SetProgress(CRunProgress* progress) { m_pProgress = progress; }

    // All jets of the case, or the current jet. False when the run does not
    // go ahead (a check or question stopped it, the input could not be
    // written, or a run is in flight); then nothing is started, finished()
    // is not emitted and Report() says NotStarted.
    bool Start(bool allJets);
    // Stops the model, or drops the results being read; finished() follows
    // with the status Cancelled and no jet changed. Nothing happens when no
    // run goes.
    void Cancel();
    bool IsRunning() const { return m_bRunning; }
    // Valid after finished().
    const RunReport& Report() const { return m_Report; }
    QString StatusText() const { return m_strStatus; }
    // Runs a local event loop until the run has ended. While it waits, the
    // progress meter (if any) is asked about every wait interval whether to
    // cancel.
    void WaitForFinished();

    // The range of progress(): the model's time takes the meter up to
    // kModelShare of it, the reading of the results the rest.
    static constexpr int kProgressRange = 1000;
    static constexpr int kModelShare = 900;

signals:
    // How far the run is, of kProgressRange; the value never goes back.
    void progress(int value, int maximum);
    void statusChanged(const QString& text);
    // The run has ended and its results (if any) are in the case.
    void finished();

private:
    void OnModelFinished();
    // On the job's thread, once the reading's thread is done.
    void OnResultsRead();
    void Finish(RunResult result);
    void EmitProgress();
    void SetStatus(const QString& text);

    CCase& m_doc;
    std::shared_ptr<CRunSettings> m_pSettings;
    CRunProgress* m_pProgress = nullptr;
    CModelProcess m_Process;
    QTimer m_Tick;
    RunPlan m_Plan;
    RunReport m_Report;
    QString m_strStatus;
    int m_nTimeoutMs = 0;
    bool m_bRunning = false;
    // The reading of the results: its thread, its meter and what it read.
    std::thread m_Reader;
    std::unique_ptr<CReadingMeter> m_pReadingMeter;
    RunResult m_ReadResult;
    bool m_bReading = false;
    bool m_bCancelReading = false;
    int m_nShown = 0;        // the progress emitted last
    int m_nReadingFrom = 0;  // where the reading's share of the meter begins
};

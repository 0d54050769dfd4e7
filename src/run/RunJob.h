#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// One model run of a case, driven without blocking: Start prepares the run
// (checks and questions through the document's prompt, input file, the
// jets by identity) and starts the model; when the model has ended, the
// results are applied to the document and finished() is emitted. The GUI
// connects to progress(), statusChanged() and finished(), offers Cancel(),
// shows Report().m_Problems once, and keeps structural edits off while the
// document reports a run in flight. Console jobs call WaitForFinished().
//
// The job must not outlive its document. A job destroyed while its model
// runs stops the model and leaves the jets unchanged.
#include <QObject>
#include <QString>
#include <QTimer>

#include "run/ModelProcess.h"
#include "run/RunPlan.h"

class CPlumexDoc;

class CRunJob : public QObject {
    Q_OBJECT
public:
    explicit CRunJob(CPlumexDoc& doc, QObject* parent = nullptr);
    ~CRunJob() override;

    // All jets of the case, or the current jet. False when the run does not
    // go ahead (a check or question stopped it, the input could not be
    // written, or a run is in flight); then nothing is started, finished()
    // is not emitted and Report() says NotStarted.
    bool Start(bool allJets);
    // Stops the model; finished() follows with the status Cancelled and no
    // jet changed. Nothing happens when no run goes.
    void Cancel();
    bool IsRunning() const { return m_bRunning; }
    // Valid after finished().
    const RunReport& Report() const { return m_Report; }
    QString StatusText() const { return m_strStatus; }
    // Runs a local event loop until the run has ended. While it waits, the
    // document's progress meter (if any) is asked about every wait interval
    // whether to cancel.
    void WaitForFinished();

signals:
    // While the model runs: milliseconds elapsed of those it is given.
    void progress(int value, int maximum);
    void statusChanged(const QString& text);
    // The run has ended and its results (if any) are in the document.
    void finished();

private:
    void OnModelFinished();
    void SetStatus(const QString& text);

    CPlumexDoc& m_doc;
    CModelProcess m_Process;
    QTimer m_Tick;
    RunPlan m_Plan;
    RunReport m_Report;
    QString m_strStatus;
    int m_nTimeoutMs = 0;
    bool m_bRunning = false;
};

#pragma once
#ifndef PLUMEX_LAYER_STUDY
#error "a header of plumex_study, included by a library that does not link it"
#endif
// Computes a case against a list of conditions. The runner works on its own
// copy of the case (made from its text form, so the case it was given is
// never changed) and runs up to N model processes at once, one per
// condition, each computing all jets in a working folder of its own. The
// rows of each condition are handed to the sink in the order of the
// conditions, whatever order the processes end in; results that end early
// wait for those before them, and no condition is started more than a few
// rounds of processes ahead of the next one to hand over, so memory stays
// bounded by the processes in flight.
//
// A condition the file refused (StudyCondition::m_strProblem), one whose
// profile does not reach the ports, or one the model could not compute is
// handed over as rows that say so; the others go on.
#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/AppState.h"
#include "base/Prompt.h"
#include "study/ConditionsFile.h"
#include "study/StudyRecord.h"

class CCase;
struct RunResult;

class CStudyRunner : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(const std::vector<StudyRecord>&)>;

    // source: the case to study (copied now; it must hold jets).
    CStudyRunner(const CCase& source, std::vector<StudyCondition> conditions, int jobs, QObject* parent = nullptr);
    ~CStudyRunner() override;

    // The model program; empty for the default one (CRunSettings).
    void SetModelProgram(const std::string& program) { m_strProgram = program; }
    void SetSink(Sink sink) { m_Sink = std::move(sink); }
    // False when the copy of the case could not be made (Error() says why).
    bool Start();
    // Stops every model process; no row is handed over after it, and
    // finished() follows.
    void Cancel();
    // Runs a local event loop until finished().
    void WaitForFinished();

    bool IsRunning() const { return m_bRunning; }
    bool WasCancelled() const { return m_bCancelled; }
    int Done() const { return m_nHanded; }
    int Total() const { return static_cast<int>(m_Conditions.size()); }
    const std::string& Error() const { return m_strError; }
    // The names of the jets in the rows, in the case's order.
    const std::vector<std::string>& JetNames() const { return m_JetNames; }

signals:
    void progress(int done, int total);
    void finished();

private:
    struct Slot;
    void Fill();
    // Prepares and starts condition index in slot; false when it was
    // handed to the results at once (skipped or not prepared).
    bool Launch(Slot& slot, int index);
    void OnSlotFinished(Slot& slot);
    void Store(int index, std::vector<StudyRecord> rows);
    void HandOver();
    void Finish();
    std::vector<StudyRecord> RowsOf(const StudyCondition& c, const RunResult& result) const;
    std::vector<StudyRecord> ProblemRows(const StudyCondition& c, bool skipped, const std::string& why) const;

    CAppState m_App;
    CSilentPrompt m_Prompt;
    std::unique_ptr<CCase> m_pCase;
    std::vector<StudyCondition> m_Conditions;
    std::vector<double> m_BaseFlows;  // every jet's flow in the case's order
    float m_fBaseAngle = 90.0f;
    double m_dDeepestPort = 0.0;
    std::vector<std::string> m_JetNames;
    std::string m_strProgram;
    std::string m_strError;
    Sink m_Sink;
    std::vector<std::unique_ptr<Slot>> m_Slots;
    std::map<int, std::vector<StudyRecord>> m_Waiting;  // ended, not yet handed over
    int m_nNext = 0;                                    // the next condition to start
    int m_nHanded = 0;                                  // conditions handed over
    int m_nJobs = 1;
    bool m_bRunning = false;
    bool m_bCancelled = false;
};

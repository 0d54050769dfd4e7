#include "study/StudyRunner.h"

#include <QEventLoop>
#include <algorithm>
#include <climits>
#include <cmath>

#include "model/Base.h"
#include "model/Case.h"
#include "model/CaseJson.h"
#include "model/Riser.h"
#include "run/ModelProcess.h"
#include "run/ResultsReader.h"
#include "run/RunPlan.h"
#include "run/RunPreparation.h"
#include "run/RunResult.h"
#include "run/RunSettings.h"

namespace {
// The model's stop reason of a plume that reached the water surface.
const char* const kSurfaceStop = "Plume reached the water surface";
// How many rounds of processes may run ahead of the next condition handed over.
constexpr int kRoundsAhead = 4;

StudyRecord JetRecord(const JetResult& j) {
    StudyRecord r;
    r.m_strStop = j.m_strStatus;
    if (!j.m_bPageRead || j.m_Disks.empty()) {
        if (r.m_strStop.empty()) r.m_strStop = "not computed";
        return r;
    }
    r.m_bComputed = true;
    const CJetDisk& first = j.m_Disks.front();
    const CJetDisk& last = j.m_Disks.back();
    double top = -HUGE_VAL;
    // The top of a step: its centre raised by the half width across the axis.
    for (const auto& d : j.m_Disks) top = std::max(top, d.m_dZ + d.m_dRadius * std::cos(d.m_dVAngle));
    r.m_dRise = top - first.m_dZ;
    r.m_bSurface = j.m_strStatus == kSurfaceStop;
    r.m_dEndDistance = std::hypot(last.m_dX - first.m_dX, last.m_dY - first.m_dY);
    r.m_dFluxDilution = j.m_KeyParams.m_dSb;
    r.m_dCentreDilution = j.m_KeyParams.m_dSm;
    r.m_dTravelTime = last.m_dUnnamed;  // the trajectory's time column
    return r;
}
}  // namespace

struct CStudyRunner::Slot {
    std::shared_ptr<CRunSettings> m_pSettings = std::make_shared<CRunSettings>();
    CModelProcess m_Process;
    RunPlan m_Plan;
    ReaderInput m_Input;
    int m_nIndex = -1;  // the condition computed, -1 when free
};

CStudyRunner::CStudyRunner(const CCase& source, std::vector<StudyCondition> conditions, int jobs, QObject* parent)
    : QObject(parent),
      m_pCase(std::make_unique<CCase>(m_App, m_Prompt)),
      m_Conditions(std::move(conditions)),
      m_nJobs(std::max(1, jobs)) {
    std::vector<CaseJsonProblem> problems;
    if (!ReadCaseJson(WriteCaseJson(source), *m_pCase, problems)) {
        m_strError = problems.empty() ? "the case cannot be copied" : problems.front().m_strMessage;
        return;
    }
    m_fBaseAngle = m_pCase->CurrentAngle();
    bool first = true;
    m_pCase->ForEachJet([&](int o, int r, int j, CRiser& outfall, CBase& riser, CJet& jet) {
        // The run's checks look at the current jet: the first one.
        if (first) {
            m_pCase->m_nCurrentOutfall = o;
            outfall.m_nCurrentRiser = r;
            riser.m_nCurrentJet = j;
            first = false;
        }
        m_BaseFlows.push_back(jet.m_dFlow);
        m_JetNames.push_back(outfall.m_strName + " / " + riser.m_strName + " / " + jet.m_strName);
        m_dDeepestPort = std::max(m_dDeepestPort, outfall.m_dDepth - jet.m_dPortHeight);
    });
    if (m_JetNames.empty()) m_strError = "the case has no jet";
}

CStudyRunner::~CStudyRunner() = default;

bool CStudyRunner::Start() {
    if (!m_strError.empty() || m_bRunning) return false;
    m_bRunning = true;
    m_bCancelled = false;
    for (int i = 0; i < m_nJobs; ++i) {
        auto slot = std::make_unique<Slot>();
        if (!m_strProgram.empty()) slot->m_pSettings->m_strModelProgram = m_strProgram;
        Slot* s = slot.get();
        connect(&s->m_Process, &CModelProcess::finished, this, [this, s] { OnSlotFinished(*s); });
        m_Slots.push_back(std::move(slot));
    }
    emit progress(0, Total());
    Fill();
    return true;
}

void CStudyRunner::Fill() {
    // Conditions handed over at once (skipped ones) start no process whose
    // end would call again: go on while the hand-over moves the window.
    while (true) {
        for (auto& slot : m_Slots) {
            while (slot->m_nIndex < 0 && !m_bCancelled && m_nNext < Total() &&
                   m_nNext < m_nHanded + kRoundsAhead * m_nJobs) {
                Launch(*slot, m_nNext++);
            }
        }
        const int before = m_nHanded;
        HandOver();
        const bool idle = std::any_of(m_Slots.begin(), m_Slots.end(), [](const auto& s) { return s->m_nIndex < 0; });
        if (m_nHanded == before || m_bCancelled || m_nNext >= Total() || !idle) return;
    }
}

bool CStudyRunner::Launch(Slot& slot, int index) {
    const StudyCondition& c = m_Conditions[index];
    if (!c.Usable()) {
        Store(index, ProblemRows(c, true, c.m_strProblem + " (line " + std::to_string(c.m_nProblemLine) + ")"));
        return false;
    }
    if (c.m_Rows.back().m_dDepth < m_dDeepestPort) {
        char buf[160];
        std::snprintf(buf, sizeof buf, "the profile ends at %g m, above the deepest port at %g m",
                      c.m_Rows.back().m_dDepth, m_dDeepestPort);
        Store(index, ProblemRows(c, true, std::string(buf) + " (line " + std::to_string(c.m_nLine) + ")"));
        return false;
    }
    CCase& doc = *m_pCase;
    doc.SetProfile(c.m_Rows, c.m_Rows.back().m_dDepth);
    doc.SetCurrentAngle(c.m_bHasCurrentAngle ? static_cast<float>(c.m_dCurrentAngle) : m_fBaseAngle);
    std::size_t n = 0;
    doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) { j.m_dFlow = m_BaseFlows[n++] * c.m_dFlowFactor; });
    if (!PrepareRun(doc, *slot.m_pSettings, true, slot.m_Plan)) {
        Store(index, ProblemRows(c, false, "the model's input could not be written"));
        return false;
    }
    // The copy's jets never take the results: the rows are made from the
    // result itself, so the next condition may be prepared at once.
    slot.m_Input = ReaderInputOf(doc, slot.m_Plan);
    doc.SetRunInFlight(false);
    const CRunSettings& s = *slot.m_pSettings;
    const long long timeout = static_cast<long long>(s.m_nMaxWaits) * s.m_nWaitMs;
    slot.m_nIndex = index;
    slot.m_Process.Start(s.m_strModelProgram, s.m_strWorkDir,
                         static_cast<int>(std::max(1LL, std::min<long long>(timeout, INT_MAX))));
    return true;
}

void CStudyRunner::OnSlotFinished(Slot& slot) {
    const int index = slot.m_nIndex;
    slot.m_nIndex = -1;
    if (index < 0) return;
    if (!m_bCancelled) {
        const RunResult result =
            ReadModelOutput(slot.m_Input, slot.m_Plan, *slot.m_pSettings, slot.m_Process.Result(), nullptr);
        Store(index, RowsOf(m_Conditions[index], result));
        Fill();
    }
    if (std::all_of(m_Slots.begin(), m_Slots.end(), [](const auto& s) { return s->m_nIndex < 0; }) &&
        (m_bCancelled || m_nHanded == Total()))
        Finish();
}

void CStudyRunner::Store(int index, std::vector<StudyRecord> rows) { m_Waiting[index] = std::move(rows); }

void CStudyRunner::HandOver() {
    bool any = false;
    while (!m_bCancelled && !m_Waiting.empty() && m_Waiting.begin()->first == m_nHanded) {
        // Out of the map first: the sink may cancel, which empties it.
        const std::vector<StudyRecord> rows = std::move(m_Waiting.begin()->second);
        m_Waiting.erase(m_Waiting.begin());
        ++m_nHanded;
        any = true;
        if (m_Sink) m_Sink(rows);
    }
    if (any) emit progress(m_nHanded, Total());
    if (m_bRunning && !m_bCancelled && m_nHanded == Total() &&
        std::all_of(m_Slots.begin(), m_Slots.end(), [](const auto& s) { return s->m_nIndex < 0; }))
        Finish();
}

void CStudyRunner::Cancel() {
    if (!m_bRunning || m_bCancelled) return;
    m_bCancelled = true;
    m_Waiting.clear();
    bool busy = false;
    for (auto& s : m_Slots) {
        if (s->m_nIndex >= 0) {
            busy = true;
            s->m_Process.Cancel();
        }
    }
    if (!busy) Finish();
}

void CStudyRunner::Finish() {
    if (!m_bRunning) return;
    m_bRunning = false;
    emit finished();
}

void CStudyRunner::WaitForFinished() {
    if (!m_bRunning) return;
    QEventLoop loop;
    connect(this, &CStudyRunner::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

std::vector<StudyRecord> CStudyRunner::RowsOf(const StudyCondition& c, const RunResult& result) const {
    if (result.m_eStatus != RunStatus::Completed) {
        const std::string why = result.m_Problems.empty() ? "the model run failed" : result.m_Problems.front();
        return ProblemRows(c, false, why);
    }
    std::vector<StudyRecord> rows;
    StudyRecord all;
    int computed = 0;
    for (std::size_t i = 0; i < result.m_Jets.size() && i < m_JetNames.size(); ++i) {
        StudyRecord r = JetRecord(result.m_Jets[i]);
        r.m_strCondition = c.m_strName;
        r.m_strJet = m_JetNames[i];
        r.m_dWeight = c.m_dWeight;
        if (r.m_bComputed) {
            if (computed == 0) {
                all = r;
            } else {
                all.m_dRise = std::max(all.m_dRise, r.m_dRise);
                all.m_bSurface = all.m_bSurface || r.m_bSurface;
                all.m_dEndDistance = std::max(all.m_dEndDistance, r.m_dEndDistance);
                all.m_dFluxDilution = std::min(all.m_dFluxDilution, r.m_dFluxDilution);
                all.m_dCentreDilution = std::min(all.m_dCentreDilution, r.m_dCentreDilution);
                all.m_dTravelTime = std::max(all.m_dTravelTime, r.m_dTravelTime);
            }
            ++computed;
        }
        rows.push_back(AsWritten(r));
    }
    all.m_strCondition = c.m_strName;
    all.m_strJet = kAllJets;
    all.m_dWeight = c.m_dWeight;
    all.m_strStop = std::to_string(computed) + " of " + std::to_string(m_JetNames.size()) + " jets computed";
    if (computed == 0) all.m_bComputed = false;
    rows.push_back(AsWritten(all));
    return rows;
}

std::vector<StudyRecord> CStudyRunner::ProblemRows(const StudyCondition& c, bool skipped,
                                                   const std::string& why) const {
    StudyRecord r;
    r.m_strCondition = c.m_strName;
    r.m_dWeight = c.m_dWeight;
    if (skipped) {
        r.m_strStop = "skipped: " + why;
        return {AsWritten(r)};
    }
    r.m_strJet = kAllJets;
    r.m_strStop = "not computed: " + why;
    return {AsWritten(r)};
}

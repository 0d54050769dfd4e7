#include "run/RunJob.h"

#include <QEventLoop>
#include <algorithm>
#include <climits>

#include "run/ReadingMeter.h"
#include "run/ResultsReader.h"
#include "run/RunApply.h"
#include "run/RunPreparation.h"
#include "run/RunProgress.h"
#include "run/RunSettings.h"

namespace {
constexpr int kTickMs = 200;

QString EndText(const RunReport& report) {
    switch (report.m_eStatus) {
    case RunStatus::Completed:
        // As the command line says it.
        return QStringLiteral("%1 of %2 jets computed").arg(report.m_nJetsComputed).arg(report.m_nJetsPlanned);
    case RunStatus::Cancelled:
        return QStringLiteral("Run cancelled");
    case RunStatus::TimedOut:
        return QStringLiteral("Run timed out");
    case RunStatus::Failed:
        return QStringLiteral("Run failed");
    case RunStatus::NotStarted:
    default:
        return QString();
    }
}

RunResult CancelledResult() {
    RunResult cancelled;
    cancelled.m_eStatus = RunStatus::Cancelled;
    return cancelled;
}
}  // namespace

CRunJob::CRunJob(CCase& doc, std::shared_ptr<CRunSettings> settings, QObject* parent)
    : QObject(parent), m_doc(doc), m_pSettings(settings ? std::move(settings) : std::make_shared<CRunSettings>()) {
    connect(&m_Process, &CModelProcess::finished, this, &CRunJob::OnModelFinished);
    m_Tick.setInterval(kTickMs);
    connect(&m_Tick, &QTimer::timeout, this, &CRunJob::EmitProgress);
}

CRunJob::~CRunJob() {
    // The reading holds no part of the case, but its thread must end before
    // the job does.
    if (m_Reader.joinable()) m_Reader.join();
    if (!m_bRunning) return;
    // The case must not stay "in flight"; the model's results are not wanted.
    m_Process.disconnect(this);
    ApplyRunResult(m_doc, m_Plan, CancelledResult());
}

bool CRunJob::Start(bool allJets) {
    if (m_bRunning) return false;
    m_Report = RunReport();
    if (!PrepareRun(m_doc, *m_pSettings, allJets, m_Plan)) return false;
    const CRunSettings& settings = *m_pSettings;
    const long long timeout = static_cast<long long>(settings.m_nMaxWaits) * settings.m_nWaitMs;
    m_nTimeoutMs = static_cast<int>(std::max(1LL, std::min<long long>(timeout, INT_MAX)));
    m_bRunning = true;
    m_bCancelReading = false;
    m_nShown = 0;
    const int n = static_cast<int>(m_Plan.m_Jets.size());
    SetStatus(n == 1 ? QStringLiteral("Computing 1 jet") : QStringLiteral("Computing %1 jets").arg(n));
    emit progress(0, kProgressRange);
    m_Tick.start();
    m_Process.Start(settings.m_strModelProgram, settings.m_strWorkDir, m_nTimeoutMs);
    return true;
}

void CRunJob::Cancel() {
    if (!m_bRunning) return;
    if (m_bReading) m_bCancelReading = true;
    else m_Process.Cancel();
}

void CRunJob::EmitProgress() {
    int value = m_nShown;
    if (m_bReading && m_pReadingMeter) {
        value = m_nReadingFrom + static_cast<int>((kProgressRange - m_nReadingFrom) * m_pReadingMeter->Fraction());
    } else if (m_bRunning && !m_bReading) {
        const long long elapsed = std::min<long long>(m_Process.Elapsed(), m_nTimeoutMs);
        value = static_cast<int>(elapsed * kModelShare / m_nTimeoutMs);
    }
    m_nShown = std::clamp(std::max(m_nShown, value), 0, kProgressRange);
    emit progress(m_nShown, kProgressRange);
}

void CRunJob::OnModelFinished() {
    const ModelResult& model = m_Process.Result();
    if (model.m_eOutcome != ModelOutcome::Finished) {
        // Nothing to read: the result says how the model ended.
        m_Tick.stop();
        Finish(ReadModelOutput(ReaderInput(), m_Plan, *m_pSettings, model, nullptr));
        return;
    }
    EmitProgress();
    m_nReadingFrom = m_nShown;
    SetStatus(QStringLiteral("Reading the results"));
    // The reader begins one range before the first jet of an all-jets run
    // and one per jet after it; one range for selected jets.
    const int parts = m_Plan.m_bAllJets ? static_cast<int>(m_Plan.m_Jets.size()) + 1 : 1;
    m_pReadingMeter = std::make_unique<CReadingMeter>(parts);
    m_bReading = true;
    // The thread gets copies and the settings, which nobody changes during a
    // run; the case stays with this thread.
    m_Reader = std::thread([this, input = ReaderInputOf(m_doc, m_Plan), plan = m_Plan, settings = m_pSettings, model,
                            meter = m_pReadingMeter.get()] {
        m_ReadResult = ReadModelOutput(input, plan, *settings, model, meter);
        QMetaObject::invokeMethod(this, &CRunJob::OnResultsRead, Qt::QueuedConnection);
    });
}

void CRunJob::OnResultsRead() {
    if (m_Reader.joinable()) m_Reader.join();
    m_bReading = false;
    m_Tick.stop();
    RunResult result = std::move(m_ReadResult);
    m_ReadResult = RunResult();
    m_pReadingMeter.reset();
    if (m_bCancelReading) {
        // Nothing was applied yet: every jet stays as it was.
        Finish(CancelledResult());
        return;
    }
    AddCaseWarnings(m_doc, m_Plan, result);
    Finish(std::move(result));
}

void CRunJob::Finish(RunResult result) {
    m_Report = ApplyRunResult(m_doc, m_Plan, result);
    m_bRunning = false;
    m_nShown = kProgressRange;
    emit progress(kProgressRange, kProgressRange);
    SetStatus(EndText(m_Report));
    emit finished();
}

void CRunJob::SetStatus(const QString& text) {
    m_strStatus = text;
    emit statusChanged(text);
}

void CRunJob::WaitForFinished() {
    if (!m_bRunning) return;
    QEventLoop loop;
    connect(this, &CRunJob::finished, &loop, &QEventLoop::quit);
    // Console jobs and the synchronous run cancel through the progress meter.
    QTimer cancelQuery;
    CRunProgress* meter = m_pProgress;
    if (meter) {
        cancelQuery.setInterval(std::max(1, m_pSettings->m_nWaitMs));
        connect(&cancelQuery, &QTimer::timeout, this, [this, meter] {
            if (meter->CancelRequested()) Cancel();
        });
        cancelQuery.start();
    }
    if (m_bRunning) loop.exec();
}

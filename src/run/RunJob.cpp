#include "run/RunJob.h"

#include <QEventLoop>
#include <climits>

#include "run/RunApply.h"
#include "run/RunPreparation.h"
#include "run/RunProgress.h"
#include "run/RunResult.h"
#include "run/RunSettings.h"

namespace {
constexpr int kTickMs = 200;

QString EndText(RunStatus status) {
    switch (status) {
    case RunStatus::Completed:
        return QStringLiteral("Jets computed");
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
}  // namespace

CRunJob::CRunJob(CCase& doc, std::shared_ptr<CRunSettings> settings, QObject* parent)
    : QObject(parent), m_doc(doc), m_pSettings(settings ? std::move(settings) : std::make_shared<CRunSettings>()) {
    connect(&m_Process, &CModelProcess::finished, this, &CRunJob::OnModelFinished);
    m_Tick.setInterval(kTickMs);
    connect(&m_Tick, &QTimer::timeout, this, [this] {
        emit progress(static_cast<int>(std::min<qint64>(m_Process.Elapsed(), m_nTimeoutMs)), m_nTimeoutMs);
    });
}

CRunJob::~CRunJob() {
    if (!m_bRunning) return;
    // The case must not stay "in flight"; the model's results are not wanted.
    m_Process.disconnect(this);
    RunResult cancelled;
    cancelled.m_eStatus = RunStatus::Cancelled;
    ApplyRunResult(m_doc, m_Plan, cancelled);
}

bool CRunJob::Start(bool allJets) {
    if (m_bRunning) return false;
    m_Report = RunReport();
    if (!PrepareRun(m_doc, *m_pSettings, allJets, m_Plan)) return false;
    const CRunSettings& settings = *m_pSettings;
    const long long timeout = static_cast<long long>(settings.m_nMaxWaits) * settings.m_nWaitMs;
    m_nTimeoutMs = static_cast<int>(std::max(1LL, std::min<long long>(timeout, INT_MAX)));
    m_bRunning = true;
    const int n = static_cast<int>(m_Plan.m_Jets.size());
    SetStatus(n == 1 ? QStringLiteral("Computing 1 jet") : QStringLiteral("Computing %1 jets").arg(n));
    emit progress(0, m_nTimeoutMs);
    m_Tick.start();
    m_Process.Start(settings.m_strModelProgram, settings.m_strWorkDir, m_nTimeoutMs);
    return true;
}

void CRunJob::Cancel() {
    if (m_bRunning) m_Process.Cancel();
}

void CRunJob::OnModelFinished() {
    m_Tick.stop();
    if (m_Process.Result().m_eOutcome == ModelOutcome::Finished) SetStatus(QStringLiteral("Reading the results"));
    const RunResult result = ReadRunResult(m_doc, m_Plan, *m_pSettings, m_Process.Result(), m_pProgress);
    m_Report = ApplyRunResult(m_doc, m_Plan, result);
    m_bRunning = false;
    emit progress(m_nTimeoutMs, m_nTimeoutMs);
    SetStatus(EndText(m_Report.m_eStatus));
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

#include "run/RunJob.h"

#include <QEventLoop>
#include <climits>

#include "base/Prompt.h"
#include "model/PlumexDoc.h"
#include "run/RunProgress.h"
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

CRunJob::CRunJob(CPlumexDoc& doc, QObject* parent) : QObject(parent), m_doc(doc) {
    connect(&m_Process, &CModelProcess::finished, this, &CRunJob::OnModelFinished);
    m_Tick.setInterval(kTickMs);
    connect(&m_Tick, &QTimer::timeout, this, [this] {
        emit progress(static_cast<int>(std::min<qint64>(m_Process.Elapsed(), m_nTimeoutMs)), m_nTimeoutMs);
    });
}

CRunJob::~CRunJob() {
    if (!m_bRunning) return;
    // The document must not stay "in flight"; the model's results are not wanted.
    m_Process.disconnect(this);
    ModelResult cancelled;
    cancelled.m_eOutcome = ModelOutcome::Cancelled;
    m_doc.ApplyRun(m_Plan, cancelled);
}

bool CRunJob::Start(bool allJets) {
    if (m_bRunning) return false;
    m_Report = RunReport();
    if (!m_doc.PrepareRun(allJets, m_Plan)) return false;
    const CRunSettings& settings = *m_Plan.m_pSettings;
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
    m_Report = m_doc.ApplyRun(m_Plan, m_Process.Result());
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
    CRunProgress* meter = m_doc.m_pRunProgress;
    if (meter) {
        const int interval = m_Plan.m_pSettings ? m_Plan.m_pSettings->m_nWaitMs : 100;
        cancelQuery.setInterval(std::max(1, interval));
        connect(&cancelQuery, &QTimer::timeout, this, [this, meter] {
            if (meter->CancelRequested()) Cancel();
        });
        cancelQuery.start();
    }
    if (m_bRunning) loop.exec();
}

// The run that waits (console jobs, tests): the job above, driven to its end.
bool CPlumexDoc::Run(bool allJets) {
    CRunJob job(*this);
    if (!job.Start(allJets)) return false;
    job.WaitForFinished();
    const RunReport& report = job.Report();
    if (!report.m_Problems.empty())
        m_prompt.Inform(report.ProblemText(),
                        report.m_eStatus == RunStatus::Failed ? PromptIcon::Stop : PromptIcon::Exclamation);
    return report.Succeeded();
}

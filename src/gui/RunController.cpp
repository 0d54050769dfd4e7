#include "gui/RunController.h"

#include <QPushButton>

#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "gui/CaseDocument.h"
#include "run/RunJob.h"
#include "run/RunPlan.h"
#include "run/RunSettings.h"
#include "ui/StatusProgress.h"

CRunController::CRunController(CStatusProgress& progress, CPrompt& prompt, QObject* parent)
    : QObject(parent), m_progress(progress), m_prompt(prompt) {
    connect(m_progress.CancelButton(), &QPushButton::clicked, this, &CRunController::Cancel);
}

CRunController::~CRunController() { Abandon(); }

std::shared_ptr<CRunSettings> CRunController::SharedSettingsOf(CCaseDocument& doc) {
    auto it = m_Settings.find(&doc);
    if (it != m_Settings.end()) return it->second;
    auto settings = std::make_shared<CRunSettings>();
    m_Settings.emplace(&doc, settings);
    // The working directory goes with its case (or with a run still holding it).
    connect(&doc, &QObject::destroyed, this, [this, key = &doc] { m_Settings.erase(key); });
    return settings;
}

CRunSettings& CRunController::SettingsOf(CCaseDocument& doc) { return *SharedSettingsOf(doc); }

bool CRunController::Start(CCaseDocument& doc, bool allJets) {
    if (m_pJob || doc.Doc().IsRunInFlight()) return false;
    CPlumexDoc& d = doc.Doc();
    auto job = std::make_unique<CRunJob>(d, SharedSettingsOf(doc));
    if (!job->Start(allJets)) return false;
    m_pJob = std::move(job);
    m_pRunning = &doc;
    // One range for the whole run: the model's time, then the reading of
    // its results; the job never moves the meter back.
    connect(m_pJob.get(), &CRunJob::progress, this, [this](int value, int) {
        if (m_pJob && m_pJob->IsRunning()) m_progress.SetPos(value);
    });
    connect(m_pJob.get(), &CRunJob::statusChanged, this, [this](const QString& text) {
        if (m_pJob && m_pJob->IsRunning()) m_progress.ShowStatus(text.toStdString());
    });
    connect(m_pJob.get(), &CRunJob::finished, this, &CRunController::OnFinished, Qt::QueuedConnection);
    m_progress.Begin(0, CRunJob::kProgressRange);
    m_progress.ShowStatus(m_pJob->StatusText().toStdString());
    emit runningChanged(true);
    return true;
}

void CRunController::Cancel() {
    if (m_pJob) m_pJob->Cancel();
}

void CRunController::OnFinished() {
    if (!m_pJob) return;
    const RunReport report = m_pJob->Report();
    const QString status = m_pJob->StatusText();
    CCaseDocument* doc = m_pRunning;
    Detach();
    // How the run ended: the jets computed, or why none were.
    m_progress.ShowStatus(status.toStdString());
    doc->Touch();
    emit runningChanged(false);
    if (!report.m_Problems.empty())
        m_prompt.Inform(report.ProblemText(),
                        report.m_eStatus == RunStatus::Failed ? PromptIcon::Stop : PromptIcon::Exclamation);
    emit runFinished(report.Succeeded());
}

void CRunController::Abandon() {
    if (!m_pJob) return;
    // The job stops its model and leaves the jets as they were.
    Detach();
    emit runningChanged(false);
}

void CRunController::Detach() {
    m_pJob->disconnect(this);
    m_pJob.reset();
    m_pRunning = nullptr;
    m_progress.End();
}

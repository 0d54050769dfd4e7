#include "run/RunAndWait.h"

#include "base/Prompt.h"
#include "model/Case.h"
#include "run/RunJob.h"

bool RunAndWait(CCase& doc, bool allJets, std::shared_ptr<CRunSettings> settings, CRunProgress* progress) {
    CRunJob job(doc, std::move(settings));
    job.SetProgress(progress);
    if (!job.Start(allJets)) return false;
    job.WaitForFinished();
    const RunReport& report = job.Report();
    if (!report.m_Problems.empty())
        doc.Prompt().Inform(report.ProblemText(),
                            report.m_eStatus == RunStatus::Failed ? PromptIcon::Stop : PromptIcon::Exclamation);
    return report.Succeeded();
}

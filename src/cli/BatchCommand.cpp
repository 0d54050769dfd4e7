#include "cli/BatchCommand.h"

#include <cstdio>

#include "base/AppState.h"
#include "base/SystemPath.h"
#include "cli/CaseLoad.h"
#include "cli/ConsolePrompt.h"
#include "cli/FarFieldCsv.h"
#include "cli/ResultCsv.h"
#include "cli/StandardOutput.h"
#include "document/PlumexDoc.h"
#include "farfield/FarFieldText.h"
#include "report/MergingSentence.h"
#include "run/NotComputedReason.h"

namespace {
void PrintJet(const CRiser& o, const CBase& r, const CJet& j) {
    std::printf("%s / %s / %s: %d steps", TerminalText(o.m_strName).c_str(), TerminalText(r.m_strName).c_str(),
                TerminalText(j.m_strName).c_str(), j.GetSteps());
    if (!j.m_strStatus.empty()) std::printf(", %s", TerminalText(j.m_strStatus).c_str());
    if (j.GetDiskCount() > 0) std::printf(", dilution %.2f at the last disk", j.m_pDisplay->m_Disks.back().m_dDilution);
    else if (!IsNotComputedReason(j.m_strStatus)) std::printf(", not computed");
    if (j.GetSteps() > 0 && j.m_KeyParams.m_Row.HasRow())
        std::printf(", %s", RowMergingText(j.m_KeyParams.m_Row).c_str());
    std::printf("\n");
}
}  // namespace

int RunBatchCommand(const QString& casePath, const QString& outPath, const QString& csvDir) {
    CAppState app;
    CConsolePrompt prompt;
    CPlumexDoc doc(app, prompt);
    if (!LoadCaseWithJetsForJob(casePath, doc) || !ComputeAllJetsForJob(casePath, doc)) return 1;

    int computed = 0;
    doc.ForEachJet([&](int, int, int, CRiser& o, CBase& r, CJet& j) {
        PrintJet(o, r, j);
        if (j.GetDiskCount() > 0) ++computed;
    });
    std::printf("%d of %d jets computed\n", computed, doc.GetJetCount());
    // How the plumes of each outfall computed in a row merged.
    for (const auto& o : doc.Outfalls()) {
        const QString sentence = MergingSentence(*o, true);
        if (!sentence.isEmpty()) std::printf("%s\n", TerminalText(sentence.toStdString()).c_str());
    }
    if (computed == 0) {
        std::fprintf(stderr, "plumex: %s: no jet could be computed\n", SystemPath(casePath).c_str());
        return 1;
    }

    QString target = outPath;
    if (target.isEmpty() && !IsJsonCase(casePath)) target = casePath;
    if (target.isEmpty()) {
        std::printf("results not saved: a .json case holds no results (use --out FILE.pmx)\n");
    } else {
        if (!doc.SaveCase(SystemPath(target))) return 1;
        std::printf("results saved in %s\n", SystemPath(target).c_str());
    }
    if (!csvDir.isEmpty()) {
        std::string error;
        if (!WriteResultCsv(doc, SystemPath(csvDir), error)) {
            std::fprintf(stderr, "plumex: CSV not written: %s\n", error.c_str());
            return 1;
        }
        std::printf("CSV written to %s/disks.csv and %s/jets.csv\n", SystemPath(csvDir).c_str(),
                    SystemPath(csvDir).c_str());
    }
    // The far field of every outfall, after the lines above (which scripts read).
    const std::vector<OutfallFarField> farField = ComputeFarField(doc);
    for (const OutfallFarField& f : farField)
        std::printf("%s\n", TerminalText(FarFieldLine(f, doc.GetFarField())).c_str());
    if (!csvDir.isEmpty()) {
        std::string error;
        if (!WriteFarFieldCsv(farField, doc.GetFarField(), csvDir.toStdString(), error)) {
            std::fprintf(stderr, "plumex: CSV not written: %s\n", error.c_str());
            return 1;
        }
        std::printf("far field written to %s/farfield.csv\n", qPrintable(csvDir));
    }
    if (computed < doc.GetJetCount()) {
        // The results are saved, but a script must not take them as complete.
        std::fprintf(stderr, "plumex: %s: only %d of %d jets computed (exit status %d)\n", SystemPath(casePath).c_str(),
                     computed, doc.GetJetCount(), kExitSomeJetsNotComputed);
        return kExitSomeJetsNotComputed;
    }
    return 0;
}

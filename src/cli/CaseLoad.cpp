#include "cli/CaseLoad.h"

#include <cstdio>

#include "base/SystemPath.h"
#include "document/PlumexDoc.h"
#include "model/CaseJson.h"
#include "run/RunAndWait.h"
#include "validation/CaseValidation.h"

bool IsJsonCase(const QString& path) { return path.endsWith(".json", Qt::CaseInsensitive); }

namespace {
void Report(const QString& file, const std::string& path, const std::string& message) {
    if (path.empty()) std::fprintf(stderr, "plumex: %s: %s\n", SystemPath(file).c_str(), message.c_str());
    else std::fprintf(stderr, "plumex: %s: %s: %s\n", SystemPath(file).c_str(), path.c_str(), message.c_str());
}
}  // namespace

bool LoadCaseForJob(const QString& path, CPlumexDoc& doc) {
    if (!IsJsonCase(path)) return doc.OpenCase(SystemPath(path));
    std::vector<CaseJsonProblem> problems;
    if (!ReadCaseJsonFile(SystemPath(path), doc, problems)) {
        for (const auto& p : problems) Report(path, p.m_strPath, p.m_strMessage);
        return false;
    }
    bool valid = true;
    for (const auto& i : ValidateCase(doc)) {
        if (i.m_bAcceptable) {
            Report(path, i.m_strPath, "warning: " + i.m_strMessage + " - answered Yes to go on");
        } else {
            Report(path, i.m_strPath, i.m_strMessage);
            valid = false;
        }
    }
    if (!valid) {
        doc.ResetToNew();
        return false;
    }
    return true;
}

bool LoadCaseWithJetsForJob(const QString& path, CPlumexDoc& doc) {
    if (!LoadCaseForJob(path, doc)) {
        std::fprintf(stderr, "plumex: %s: the case cannot be read\n", SystemPath(path).c_str());
        return false;
    }
    if (doc.GetJetCount() == 0) {
        std::fprintf(stderr, "plumex: %s: the case has no jet\n", SystemPath(path).c_str());
        return false;
    }
    return true;
}

bool ComputeAllJetsForJob(const QString& path, CPlumexDoc& doc) {
    bool first = true;
    doc.ForEachJet([&](int o, int r, int j, CRiser& outfall, CBase& riser, CJet&) {
        if (!first) return;
        first = false;
        doc.m_nCurrentOutfall = o;
        outfall.m_nCurrentRiser = r;
        riser.m_nCurrentJet = j;
    });
    if (!RunAndWait(doc, true)) {
        std::fprintf(stderr, "plumex: %s: no jet could be computed\n", SystemPath(path).c_str());
        return false;
    }
    return true;
}

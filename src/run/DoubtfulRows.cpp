#include "run/DoubtfulRows.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "model/Case.h"
#include "run/PortRow.h"
#include "run/RunResult.h"

namespace {
std::string WarningText(const CRiser& outfall, const PortRow& row, double rise) {
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "The plumes of %s rise %.1f m, less than %.1f times its riser spacing of %.1f m: the %.2g ports of "
                  "a riser may form one plume before it meets its neighbours', and the dilution computed for its "
                  "ports spread evenly along the outfall may be too high.",
                  outfall.m_strName.c_str(), rise, kRiserPlumeMeetsAt, row.m_dRiserSpacing,
                  static_cast<double>(row.m_nPorts) / row.m_nRisers);
    return buf;
}
}  // namespace

std::vector<std::string> DoubtfulRowWarnings(const CCase& doc, const RunPlan& plan, const RunResult& result) {
    // The highest rise of the computed jets of each outfall that were in a row.
    std::map<int, double> rise;
    for (const JetResult& jet : result.m_Jets) {
        if (jet.m_Disks.empty() ||
            std::find(plan.m_RowJets.begin(), plan.m_RowJets.end(), jet.m_Id) == plan.m_RowJets.end())
            continue;
        int o = 0, r = 0, j = 0;
        if (!doc.LocateJet(jet.m_Id, o, r, j)) continue;
        double top = 0.0;
        for (const CJetDisk& disk : jet.m_Disks) top = std::max(top, disk.m_dZ);
        const auto it = rise.find(o);
        rise[o] = it == rise.end() ? top : std::max(it->second, top);
    }
    std::vector<std::string> warnings;
    for (const auto& [outfall, top] : rise) {
        const CRiser& o = *doc.GetOutfall(outfall);
        const PortRow row = OutfallPortRow(doc, o);
        if (row.SharesRisers() && top < kRiserPlumeMeetsAt * row.m_dRiserSpacing)
            warnings.push_back(WarningText(o, row, top));
    }
    return warnings;
}

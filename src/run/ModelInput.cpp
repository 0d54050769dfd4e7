#include "run/ModelInput.h"

#include <cstdio>
#include <string>

#include "model/Case.h"
#include "run/ClassicNumericScope.h"
#include "run/RunSettings.h"

namespace {
// Every position a blank except the fixed digits; the last one tells the
// model whether the jets go on after the surface, the bed or the terminal level.
std::string ControlLine(bool continuousMode) {
    std::string line(31, ' ');
    for (int pos : {0, 2, 11, 13, 15, 17, 19, 22, 24, 26, 28}) line[pos] = '0';
    line[4] = '1';
    line[30] = continuousMode ? '1' : '0';
    return line;
}

// The model reads the name as one whole line: a line break or another
// control character inside a name would shift every following line.
std::string SingleLineName(const std::string& name) {
    std::string s = name;
    for (auto& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    return s;
}

constexpr const char* kFixedNumbers = "0.0 2 3    200        0 0 0. 0.5 0. -1. 1. .1 ";
}  // namespace

void CJet::WriteModelInput(std::FILE* file, int /*jetIndex*/, double outfallDepth, const std::vector<ProfileRow>& rows,
                           bool continuousMode, int maxTimeSteps) {
    double sum = 0.0;
    for (const auto& r : rows) sum += r.m_dCurrent;
    m_dCurrent = rows.empty() ? 0.0 : sum / static_cast<double>(rows.size());

    std::fprintf(file, "%s\n", SingleLineName(m_strName).c_str());
    std::fprintf(file, "%s\n", ControlLine(continuousMode).c_str());
    std::fprintf(file, "%f 1 %f %f %f\n", m_dFlow, m_dDiameter, m_dVAngle, outfallDepth - m_dPortHeight);
    std::fprintf(file, "%f  %f  %f\n", m_dCurrent, m_dHAngle, 999.0);
    std::fprintf(file, "%s %d %d\n", kFixedNumbers, maxTimeSteps, 100);
    std::fprintf(file, "%d %f %f\n", static_cast<int>(rows.size()), m_dSalinity, m_dTemperature);
    for (const auto& r : rows)
        std::fprintf(file, "%f     %f     %f    %f\n", r.m_dDepth, r.m_dValue, r.m_dTemperature, r.m_dCurrent);
}

namespace {
const std::vector<ProfileRow>& ProfileOf(const CCase& doc) {
    static const std::vector<ProfileRow> kNone;
    return doc.Ambient() ? doc.Ambient()->Rows() : kNone;
}

// Makes the input file afresh in the working directory, in the "C" number
// notation, and lets writeBlocks fill it. False when the file cannot be
// made or written: a run then stops.
template <class WriteBlocks>
bool WriteInputFile(CRunSettings& settings, WriteBlocks writeBlocks) {
    if (!settings.EnsureWorkDir()) return false;
    const CClassicNumericScope classicNumbers;
    std::FILE* f = std::fopen(settings.InputPath().c_str(), "wt");
    if (!f) return false;
    writeBlocks(f);
    return std::fclose(f) == 0;
}
}  // namespace

bool WriteInputAllJets(CCase& doc, CRunSettings& settings) {
    const std::vector<ProfileRow>& rows = ProfileOf(doc);
    return WriteInputFile(settings, [&](std::FILE* f) {
        int index = 0;
        doc.ForEachJet([&](int, int, int, CRiser& o, CBase&, CJet& j) {
            j.WriteModelInput(f, index++, o.m_dDepth, rows, doc.IsContinuous(), doc.MaxTimeSteps());
        });
    });
}

bool WriteInputJets(CCase& doc, CRunSettings& settings, int outfall, int riser, int firstJet, int count) {
    const std::vector<ProfileRow>& rows = ProfileOf(doc);
    CRiser* o = doc.GetOutfall(outfall);
    CBase* r = o ? o->GetRiser(riser) : nullptr;
    return WriteInputFile(settings, [&](std::FILE* f) {
        for (int k = firstJet; r && k < firstJet + count; ++k) {
            CJet* j = r->GetJet(k);
            if (j) j->WriteModelInput(f, k, o->m_dDepth, rows, doc.IsContinuous(), doc.MaxTimeSteps());
        }
    });
}

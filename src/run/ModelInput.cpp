#include "run/ModelInput.h"

#include <cstdio>
#include <string>
#include <utility>

#include "model/Case.h"
#include "run/ClassicNumericScope.h"
#include "run/InputRows.h"
#include "run/ModelCapabilities.h"
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

// One jet's block. A jet in a row gives the row's port count on line 3 and
// the spacing and axis after the three numbers of line 4.
void WriteBlock(std::FILE* file, CJet& jet, double outfallDepth, const std::vector<ProfileRow>& rows,
                bool continuousMode, int maxTimeSteps, const PortRow& row) {
    double sum = 0.0;
    for (const auto& r : rows) sum += r.m_dCurrent;
    jet.m_dCurrent = rows.empty() ? 0.0 : sum / static_cast<double>(rows.size());

    const bool inRow = row.IsActive();
    std::fprintf(file, "%s\n", SingleLineName(jet.m_strName).c_str());
    std::fprintf(file, "%s\n", ControlLine(continuousMode).c_str());
    std::fprintf(file, "%f %d %f %f %f\n", jet.m_dFlow, inRow ? row.m_nPorts : 1, jet.m_dDiameter, jet.m_dVAngle,
                 outfallDepth - jet.m_dPortHeight);
    if (inRow)
        std::fprintf(file, "%f  %f  %f  %f  %f\n", jet.m_dCurrent, jet.m_dHAngle, 999.0, row.m_dSpacing,
                     row.m_dAxisDeg);
    else std::fprintf(file, "%f  %f  %f\n", jet.m_dCurrent, jet.m_dHAngle, 999.0);
    std::fprintf(file, "%s %d %d\n", kFixedNumbers, maxTimeSteps, 100);
    std::fprintf(file, "%d %f %f\n", static_cast<int>(rows.size()), jet.m_dSalinity, jet.m_dTemperature);
    for (const auto& r : rows)
        std::fprintf(file, "%f     %f     %f    %f\n", r.m_dDepth, r.m_dValue, r.m_dTemperature, r.m_dCurrent);
}
}  // namespace

void CJet::WriteModelInput(std::FILE* file, int /*jetIndex*/, double outfallDepth, const std::vector<ProfileRow>& rows,
                           bool continuousMode, int maxTimeSteps) {
    WriteBlock(file, *this, outfallDepth, rows, continuousMode, maxTimeSteps, PortRow());
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

// The rows of the case's outfalls (or of one), the settings' program asked
// about rows only when one would be written.
InputRows RowsFor(const CCase& doc, const CRunSettings& settings, int onlyOutfall) {
    return PlanInputRows(
        doc, [&settings] { return ModelReadsPortRows(settings.m_strModelProgram); }, onlyOutfall);
}

// Writes the jet's block with the row planned for it, noting the jets in rows.
void WriteJet(std::FILE* f, const CCase& doc, const InputRows& plan, int outfall, const CRiser& o, CJet& j,
              InputNotes& notes) {
    const PortRow row = plan.ForJet(outfall, j);
    if (row.IsActive()) notes.m_RowJets.push_back(j.Id());
    WriteBlock(f, j, o.m_dDepth, ProfileOf(doc), doc.IsContinuous(), doc.MaxTimeSteps(), row);
}
}  // namespace

bool WriteInputAllJets(CCase& doc, CRunSettings& settings, InputNotes* notes) {
    const InputRows plan = RowsFor(doc, settings, -1);
    InputNotes written;
    written.m_Problems = plan.m_Problems;
    const bool ok = WriteInputFile(settings, [&](std::FILE* f) {
        doc.ForEachJet([&](int i, int, int, CRiser& o, CBase&, CJet& j) { WriteJet(f, doc, plan, i, o, j, written); });
    });
    if (notes) *notes = std::move(written);
    return ok;
}

bool WriteInputJets(CCase& doc, CRunSettings& settings, int outfall, int riser, int firstJet, int count,
                    InputNotes* notes) {
    CRiser* o = doc.GetOutfall(outfall);
    CBase* r = o ? o->GetRiser(riser) : nullptr;
    const InputRows plan = RowsFor(doc, settings, outfall);
    InputNotes written;
    written.m_Problems = plan.m_Problems;
    const bool ok = WriteInputFile(settings, [&](std::FILE* f) {
        for (int k = firstJet; r && k < firstJet + count; ++k)
            if (CJet* j = r->GetJet(k)) WriteJet(f, doc, plan, outfall, *o, *j, written);
    });
    if (notes) *notes = std::move(written);
    return ok;
}

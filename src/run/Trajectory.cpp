// A jet's section of the trajectory file "Plxdata": a heading line holding
// "Jet" (whatever the jet is named), a column heading holding "X(M)", then
// one line per computed step.
#include <string>

#include "base/Prompt.h"
#include "model/Jet.h"
#include "run/RunProgress.h"
#include "run/TextLineReader.h"

namespace {
bool IsHeading(const std::string& line) { return line.find("Jet") != std::string::npos; }

// More rows than the summary's step count: the count was cut, and the rows
// read would pass for the whole jet. The rows up to the next jet's heading
// are counted, and that heading is given back to the file.
bool MatchesStepCount(CJet& jet, CTextLineReader& file, CPrompt& prompt, int extraRows) {
    std::string line;
    long long extra = 0;
    long at = file.Tell();
    while (file.ReadLine(line) && !IsHeading(line)) {
        CJetDisk disk;
        if (disk.ReadLine(line)) ++extra;
        at = file.Tell();
    }
    if (IsHeading(line) && at >= 0) file.Seek(at);
    if (extra <= extraRows) return true;
    const long long steps = jet.m_KeyParams.m_nSteps;
    prompt.Inform("The jet model's summary gives " + std::to_string(steps) + " steps for a jet whose trajectory has " +
                      std::to_string(steps + extra) + " rows; its results were not kept.",
                  PromptIcon::Exclamation);
    jet.m_pDisplay->m_Disks.clear();
    jet.m_KeyParams.m_nSteps = 0;
    return false;
}
}  // namespace

bool CJet::ReadTrajectory(std::FILE* stream, CPrompt& prompt, CRunProgress* progress, int offset, int extraRows) {
    CTextLineReader file(stream);
    std::string line;
    // The heading; the end of the file ends the search and counts as a
    // missing column heading below.
    bool found = false;
    while (file.ReadLine(line)) {
        if (IsHeading(line)) {
            found = true;
            break;
        }
    }
    // ReadLine leaves the line empty at the end of the file.
    if (!found || !file.ReadLine(line)) line.clear();
    if (line.find("X(M)") == std::string::npos) {
        prompt.Inform("unexpected data in plxdata file--\n" + line);
        return true;
    }

    std::vector<CJetDisk>& disks = m_pDisplay->m_Disks;
    const int steps = m_KeyParams.m_nSteps;
    for (int i = 0; i < steps; ++i) {
        if (progress && i % 50 == 0) progress->SetPosition(i + offset);
        CJetDisk disk;
        long at = file.Tell();
        if (file.ReadLine(line) && disk.ReadLine(line)) {
            disks.push_back(disk);
            continue;
        }
        prompt.Inform("Improper result data,there are " + std::to_string(steps - i + 1) +
                      " steps being not processed,please inspect the plxdata file.");
        const int k = i > 0 ? i - 1 : 0;
        // Skip the rest of this jet's lines (the bad one has been read). A
        // section shorter than its step count must not swallow the next
        // jet's heading: such a line is given back to the stream.
        for (int s = i + 1; s <= steps; ++s) {
            if (IsHeading(line)) {
                if (at >= 0) file.Seek(at);
                break;
            }
            if (s == steps) break;
            if (progress && s % 50 == 0) progress->SetPosition(s + offset);
            at = file.Tell();
            if (!file.ReadLine(line)) break;
        }
        m_KeyParams.m_nSteps = k;
        return true;
    }
    return steps == 0 || MatchesStepCount(*this, file, prompt, extraRows);
}

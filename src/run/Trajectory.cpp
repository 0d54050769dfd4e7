// A jet's section of the trajectory file "Plxdata": a heading line holding
// "Jet" (whatever the jet is named), a column heading holding "X(M)", then
// one line per computed step.
#include <string>

#include "base/Prompt.h"
#include "model/Jet.h"
#include "run/RunProgress.h"
#include "run/TextLine.h"

namespace {
bool IsHeading(const std::string& line) { return line.find("Jet") != std::string::npos; }
}  // namespace

void CJet::ReadTrajectory(std::FILE* file, CPrompt& prompt, CRunProgress* progress, int offset) {
    std::string line;
    // The heading; the end of the file ends the search and counts as a
    // missing column heading below.
    bool found = false;
    while (ReadTextLine(file, line)) {
        if (IsHeading(line)) {
            found = true;
            break;
        }
    }
    // ReadTextLine leaves the line empty at the end of the file.
    if (!found || !ReadTextLine(file, line)) line.clear();
    if (line.find("X(M)") == std::string::npos) {
        prompt.Inform("unexpected data in plxdata file--\n" + line);
        return;
    }

    std::vector<CJetDisk>& disks = m_pDisplay->m_Disks;
    const int steps = m_KeyParams.m_nSteps;
    for (int i = 0; i < steps; ++i) {
        if (progress && i % 50 == 0) progress->SetPosition(i + offset);
        CJetDisk disk;
        long consumed = 0;
        if (ReadTextLine(file, line, &consumed) && disk.ReadLine(line)) {
            disks.push_back(disk);
            continue;
        }
        // Where the line just read began (asked only now: a position per
        // line would cost a system call each).
        long at = std::ftell(file);
        if (at >= 0) at -= consumed;
        prompt.Inform("Improper result data,there are " + std::to_string(steps - i + 1) +
                      " steps being not processed,please inspect the plxdata file.");
        const int k = i > 0 ? i - 1 : 0;
        // Skip the rest of this jet's lines (the bad one has been read). A
        // section shorter than its step count must not swallow the next
        // jet's heading: such a line is given back to the stream.
        for (int s = i + 1; s <= steps; ++s) {
            if (IsHeading(line)) {
                if (at >= 0) std::fseek(file, at, SEEK_SET);
                break;
            }
            if (s == steps) break;
            if (progress && s % 50 == 0) progress->SetPosition(s + offset);
            at = std::ftell(file);
            if (!ReadTextLine(file, line)) break;
        }
        m_KeyParams.m_nSteps = k;
        return;
    }
}

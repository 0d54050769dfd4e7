// libFuzzer target: the model's two result files as the readers see them.
// The input is the summary file, a NUL byte, then the trajectory file; both
// are read from memory for three jets, whose displays are then prepared.
// Nothing may crash, hang or read without bound.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/AppState.h"
#include "base/Prompt.h"
#include "model/Case.h"
#include "run/SummaryParser.h"

namespace {
std::FILE* OpenMemory(std::string& text) {
    if (text.empty()) text = "\n";  // an empty memory stream cannot be opened
    return fmemopen(text.data(), text.size(), "rb");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    const std::size_t cut = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : size;
    std::string summaryText(bytes, cut);
    std::string trajectoryText = cut < size ? std::string(bytes + cut + 1, size - cut - 1) : std::string();

    CAppState app;
    CSilentPrompt prompt;
    CCase doc(app, prompt);
    doc.Create(TreeLevel::Outfall);  // an outfall
    doc.Create(TreeLevel::Riser);    // its riser with one jet
    doc.Add(TreeLevel::Jet);
    doc.Add(TreeLevel::Jet);
    if (doc.GetJetCount() != 3) std::abort();
    std::FILE* summary = OpenMemory(summaryText);
    std::FILE* trajectory = OpenMemory(trajectoryText);
    if (summary && trajectory) {
        std::string stopReason;
        doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) {
            j.m_pDisplay->m_Disks.clear();
            if (!ParseSummaryBlock(j.m_KeyParams, summary, prompt, stopReason)) {
                j.m_KeyParams.m_nSteps = 0;
                return;
            }
            j.ReadTrajectory(trajectory, prompt, nullptr, 0);
        });
        doc.PlaceJets();
    }
    if (summary) std::fclose(summary);
    if (trajectory) std::fclose(trajectory);
    return 0;
}

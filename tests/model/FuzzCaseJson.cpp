// libFuzzer target: the text form of a case. Any text is read or refused
// with problems; a case that reads is checked by the input rules and
// written in its text form again, which must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/AppState.h"
#include "base/Prompt.h"
#include "model/Case.h"
#include "model/CaseJson.h"
#include "validation/CaseValidation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CAppState app;
    CSilentPrompt prompt;
    CCase doc(app, prompt);
    std::vector<CaseJsonProblem> problems;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!ReadCaseJson(text, doc, problems)) {
        if (problems.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    (void)ValidateCase(doc);
    CAppState app2;
    CCase again(app2, prompt);
    problems.clear();
    if (!ReadCaseJson(WriteCaseJson(doc), again, problems)) std::abort();
    return 0;
}

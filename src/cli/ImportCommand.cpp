#include "cli/ImportCommand.h"

#include <cstdio>

#include "base/AppState.h"
#include "base/SafeFileWriter.h"
#include "base/SystemPath.h"
#include "cli/CaseLoad.h"
#include "cli/ConsolePrompt.h"
#include "document/PlumexDoc.h"

int RunImportCommand(const QString& jsonPath, const QString& outPath) {
    if (outPath.isEmpty()) {
        std::fprintf(stderr, "plumex: --import needs --out FILE.pmx\n");
        return 2;
    }
    CAppState app;
    CConsolePrompt prompt;
    CPlumexDoc doc(app, prompt);
    if (!LoadCaseForJob(jsonPath, doc)) {
        std::fprintf(stderr, "plumex: %s: not imported, nothing written\n", SystemPath(jsonPath).c_str());
        return 1;
    }
    if (!doc.SaveCase(SystemPath(outPath))) return 1;
    std::printf("plumex: wrote %s\n", SystemPath(outPath).c_str());
    return 0;
}

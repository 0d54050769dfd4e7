#include "cli/ImportCommand.h"

#include <cstdio>

#include "base/AppState.h"
#include "base/SafeFileWriter.h"
#include "cli/CaseLoad.h"
#include "cli/ConsolePrompt.h"
#include "document/PlumexDoc.h"

int RunImportCommand(const QString& jsonPath, const QString& outPath) {
    if (outPath.isEmpty()) {
        std::fprintf(stderr, "plumex: --import needs --out FILE.pmx\n");
        return 2;
    }
    if (IsSameFile(jsonPath.toStdString(), outPath.toStdString())) {
        std::fprintf(stderr, "plumex: %s: --out names the case being imported; nothing written\n", qPrintable(outPath));
        return 1;
    }
    CAppState app;
    CConsolePrompt prompt;
    CPlumexDoc doc(app, prompt);
    if (!LoadCaseForJob(jsonPath, doc)) {
        std::fprintf(stderr, "plumex: %s: not imported, nothing written\n", qPrintable(jsonPath));
        return 1;
    }
    if (!doc.SaveCase(outPath.toStdString())) return 1;
    std::printf("plumex: wrote %s\n", qPrintable(outPath));
    return 0;
}

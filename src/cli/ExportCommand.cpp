#include "cli/ExportCommand.h"

#include <cstdio>

#include "base/AppState.h"
#include "base/SafeFileWriter.h"
#include "base/SystemPath.h"
#include "cli/ConsolePrompt.h"
#include "document/PlumexDoc.h"
#include "model/CaseJson.h"

int RunExportCommand(const QString& casePath, const QString& outPath) {
    const bool toStandardOutput = outPath.isEmpty() || outPath == "-";
    CAppState app;
    CConsolePrompt prompt;
    CPlumexDoc doc(app, prompt);
    if (!doc.OpenCase(SystemPath(casePath))) return 1;
    const std::string text = WriteCaseJson(doc);
    if (toStandardOutput) {
        // Checked by the program before it exits.
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    std::string error;
    if (!WriteFileSafely(SystemPath(outPath), text.data(), text.size(), error)) {
        std::fprintf(stderr, "plumex: %s: cannot be written: %s\n", SystemPath(outPath).c_str(), error.c_str());
        return 1;
    }
    std::printf("plumex: wrote %s\n", SystemPath(outPath).c_str());
    return 0;
}

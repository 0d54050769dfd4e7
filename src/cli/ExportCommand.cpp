#include "cli/ExportCommand.h"

#include <cstdio>

#include "base/AppState.h"
#include "base/SafeFileWriter.h"
#include "cli/ConsolePrompt.h"
#include "document/PlumexDoc.h"
#include "model/CaseJson.h"

int RunExportCommand(const QString& casePath, const QString& outPath) {
    const bool toStandardOutput = outPath.isEmpty() || outPath == "-";
    if (!toStandardOutput && IsSameFile(casePath.toStdString(), outPath.toStdString())) {
        std::fprintf(stderr, "plumex: %s: --out names the case being exported; nothing written\n", qPrintable(outPath));
        return 1;
    }
    CAppState app;
    CConsolePrompt prompt;
    CPlumexDoc doc(app, prompt);
    if (!doc.OpenCase(casePath.toStdString())) return 1;
    const std::string text = WriteCaseJson(doc);
    if (toStandardOutput) {
        // Checked by the program before it exits.
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    std::string error;
    if (!WriteFileSafely(outPath.toStdString(), text.data(), text.size(), error)) {
        std::fprintf(stderr, "plumex: %s: cannot be written: %s\n", qPrintable(outPath), error.c_str());
        return 1;
    }
    std::printf("plumex: wrote %s\n", qPrintable(outPath));
    return 0;
}

#include "app/ExportCommand.h"

#include <QSaveFile>
#include <cstdio>

#include "app/ConsolePrompt.h"
#include "base/AppState.h"
#include "model/CaseJson.h"
#include "model/PlumexDoc.h"

int RunExportCommand(const QString& casePath, const QString& outPath) {
    CAppState app;
    CConsolePrompt prompt;
    CPlumexDoc doc(app, prompt);
    if (!doc.OpenCase(casePath.toStdString())) return 1;
    const std::string text = WriteCaseJson(doc);
    if (outPath.isEmpty() || outPath == "-") {
        std::fputs(text.c_str(), stdout);
        return 0;
    }
    // Written beside the target and renamed, so a failure leaves no half file.
    QSaveFile f(outPath);
    if (!f.open(QIODevice::WriteOnly) || f.write(text.data(), static_cast<qint64>(text.size())) < 0 || !f.commit()) {
        std::fprintf(stderr, "plumex: %s: cannot be written: %s\n", qPrintable(outPath), qPrintable(f.errorString()));
        return 1;
    }
    std::printf("plumex: wrote %s\n", qPrintable(outPath));
    return 0;
}

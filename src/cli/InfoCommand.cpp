#include "cli/InfoCommand.h"

#include <cstdio>

#include "base/AppState.h"
#include "base/SystemPath.h"
#include "cli/CaseInfo.h"
#include "cli/ConsolePrompt.h"
#include "document/PlumexDoc.h"

int RunInfoCommand(const QString& path) {
    CAppState app;
    CConsolePrompt prompt;
    CPlumexDoc doc(app, prompt);
    if (!doc.OpenCase(SystemPath(path))) return 1;
    std::fputs(DescribeCase(doc).c_str(), stdout);
    return 0;
}

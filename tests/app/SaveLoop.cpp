#include "SaveLoop.h"

#include <cstdio>

#include "document/PlumexDoc.h"
#include "gui/CaseDocument.h"
#include "gui/PlumexApp.h"
#include "support/ScriptedPrompt.h"

int RunSaveLoop(const char* path) {
    CScriptedPrompt prompt;
    PlumexStartOptions options;
    options.m_pPrompt = &prompt;
    options.m_bShowSplash = false;
    options.m_bShowWindow = false;
    options.m_Screen = QSize(1280, 1024);
    CPlumexApp app(options);
    if (!app.Start()) return 3;
    CCaseDocument doc(app.State(), prompt);
    if (!doc.Open(QString::fromLocal8Bit(path))) return 4;
    // Many jets make a larger file.
    while (doc.Doc().GetJetCount() < 1000) doc.Doc().Add(TreeLevel::Jet);
    if (!app.SaveDocument(doc)) return 5;
    std::printf("saving\n");
    std::fflush(stdout);
    for (;;) {
        doc.Doc().SetModifiedFlag(true);
        if (!app.SaveDocument(doc)) return 6;
    }
}

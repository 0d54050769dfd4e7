#include "cli/RenderCommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/AppState.h"
#include "base/SystemPath.h"
#include "cli/CaseLoad.h"
#include "cli/ConsolePrompt.h"
#include "cli/SaveImage.h"
#include "document/PlumexDoc.h"
#include "image/DibFile.h"
#include "ui/OffscreenScene.h"

namespace {
constexpr int kDefaultWidth = 1280;
constexpr int kDefaultHeight = 800;
}  // namespace

void AddRenderOptions(QCommandLineParser& parser) {
    // --image (the BMP file to write) is shared with --section, which adds it.
    parser.addOptions({
        {"render",
         "Draw one frame of the 3-D scene of CASE offscreen into the BMP file --image "
         "(needs a display, e.g. xvfb-run -a).",
         "CASE"},
        {"size", "With --render: picture size (default 1280x800).", "WxH"},
        {"sorted", "With --render: translucent colour-mapped jets sorted back to front (else uniform tubes)."},
        {"colour", "With --render --sorted: colour by concentration (default), velocity or halfwidth.", "MODE"},
    });
}

bool RenderRequested(const QCommandLineParser& parser) { return parser.isSet("render"); }

bool ArgumentsAskForRender(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--render") == 0 || std::strncmp(argv[i], "--render=", 9) == 0) return true;
    return false;
}

int RunRenderCommand(const QCommandLineParser& parser) {
    const QString casePath = parser.value("render");
    const QString imagePath = parser.value("image");
    if (imagePath.isEmpty()) {
        std::fprintf(stderr, "plumex: --render needs --image OUT.bmp\n");
        return 2;
    }
    int width = kDefaultWidth, height = kDefaultHeight;
    if (parser.isSet("size")) {
        const auto m = QRegularExpression("^(\\d{1,5})x(\\d{1,5})$").match(parser.value("size"));
        width = m.hasMatch() ? m.captured(1).toInt() : 0;
        height = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (width < 1 || height < 1 || width > 8192 || height > 8192) {
            std::fprintf(stderr, "plumex: --size wants WxH, each from 1 to 8192\n");
            return 2;
        }
    }
    ColourMode mode = ColourMode::Concentration;
    if (parser.isSet("colour")) {
        const QString c = parser.value("colour");
        if (c == "concentration") mode = ColourMode::Concentration;
        else if (c == "velocity") mode = ColourMode::Velocity;
        else if (c == "halfwidth") mode = ColourMode::HalfWidth;
        else {
            std::fprintf(stderr, "plumex: --colour is concentration, velocity or halfwidth\n");
            return 2;
        }
    }
    const bool sorted = parser.isSet("sorted");

    CAppState app;
    CConsolePrompt prompt;
    CPlumexDoc doc(app, prompt);
    if (!LoadCaseForJob(casePath, doc)) return 1;
    doc.PrepareJetDisplays();
    doc.BuildColourTable(mode);

    SceneFrameOptions options;
    options.m_bFastDisplay = !sorted;
    std::string error;
    HDIB hDib =
        RenderSceneToDib(doc, width, height, options, QCoreApplication::applicationDirPath().toStdString(), error);
    if (!hDib) {
        std::fprintf(stderr, "plumex: cannot render: %s.\n", error.c_str());
        std::fprintf(stderr, "plumex: without a display run it as: xvfb-run -a plumex --render %s --image %s\n",
                     SystemPath(casePath).c_str(), SystemPath(imagePath).c_str());
        return 3;
    }
    std::string reason;
    const bool ok = SaveDibFile(hDib, SystemPath(imagePath), reason);
    GlobalFreeBlock(hDib);
    if (!ok) {
        std::fprintf(stderr, "plumex: Cannot save the BMP file <%s> !!!\nplumex: %s\n", SystemPath(imagePath).c_str(),
                     reason.c_str());
        return 1;
    }
    std::printf("%s\n", SystemPath(imagePath).c_str());
    return 0;
}

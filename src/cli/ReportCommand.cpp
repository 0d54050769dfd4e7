#include "cli/ReportCommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

#include "base/AppState.h"
#include "base/SystemPath.h"
#include "cli/BatchCommand.h"
#include "cli/CaseLoad.h"
#include "cli/ConsolePrompt.h"
#include "document/PlumexDoc.h"
#include "image/DibFile.h"
#include "report/CaseReport.h"
#include "report/ModelVersion.h"
#include "report/ReportWriter.h"
#include "ui/OffscreenScene.h"

namespace {
constexpr int kSceneWidth = 1280;
constexpr int kSceneHeight = 800;

// The 3-D scene from the case's camera, or a null image and the reason.
QImage ScenePicture(CPlumexDoc& doc, QString& note) {
    if (QGuiApplication::platformName() == "offscreen") {
        note = "The 3-D picture is left out: no display was available when this report was made.";
        return QImage();
    }
    std::string error;
    HDIB dib = RenderSceneToDib(doc, kSceneWidth, kSceneHeight, SceneFrameOptions(),
                                QCoreApplication::applicationDirPath().toStdString(), error);
    if (!dib) {
        note = "The 3-D picture is left out: " + QString::fromStdString(error) + ".";
        return QImage();
    }
    // The picture goes through a BMP file, the form the scene writes.
    QImage image;
    QTemporaryDir dir;
    const QString bmp = dir.filePath("scene.bmp");
    std::FILE* f = dir.isValid() ? std::fopen(bmp.toLocal8Bit().constData(), "wb") : nullptr;
    bool ok = f && SaveDIB(dib, f);
    if (f && std::fclose(f) != 0) ok = false;
    GlobalFreeBlock(dib);
    if (!ok || !image.load(bmp, "BMP")) note = "The 3-D picture is left out: it could not be converted.";
    return image;
}

}  // namespace

void AddReportOptions(QCommandLineParser& parser) {
    parser.addOption({"report", "Compute every jet of CASE and write its report to --out (.pdf or .html).", "CASE"});
    parser.addOption({"letter", "With --report: US Letter pages (default A4)."});
}

bool ReportRequested(const QCommandLineParser& parser) { return parser.isSet("report"); }

bool ArgumentsAskForReport(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--report") == 0 || std::strncmp(argv[i], "--report=", 9) == 0) return true;
    return false;
}

int RunReportCommand(const QCommandLineParser& parser) {
    const QString casePath = parser.value("report");
    const QString outPath = parser.value("out");
    if (outPath.isEmpty() || !IsReportFileName(outPath)) {
        std::fprintf(stderr, "plumex: --report needs --out REPORT.pdf or REPORT.html\n");
        return 2;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "plumex: --report needs the graphical application object\n");
        return 2;
    }
    CAppState app;
    CConsolePrompt prompt;
    CPlumexDoc doc(app, prompt);
    // The report always shows results of the inputs it lists, with their
    // stop reasons (which a case file does not keep): compute them now.
    if (!LoadCaseWithJetsForJob(casePath, doc) || !ComputeAllJetsForJob(casePath, doc)) return 1;
    // The case's own cut plane, as the 3-D view would show it.
    const CCutPlane& plane = doc.m_CutPlane;
    doc.SetCutPlane(plane.m_dHAngle, plane.m_dVAngle, plane.m_dDistance, plane.m_nDiskNo, plane.m_eKind, true);

    ReportOptions options;
    options.m_strCaseName = QFileInfo(casePath).fileName();
    options.m_strProgramVersion = PLUMEX_VERSION;
    options.m_strModelVersion = JetModelVersion();
    options.m_Date = QDateTime::currentDateTime();
    options.m_Scene = ScenePicture(doc, options.m_strSceneNote);
    if (options.m_Scene.isNull()) std::fprintf(stderr, "plumex: %s\n", qPrintable(options.m_strSceneNote));

    QString error;
    if (!WriteReport(BuildCaseReport(doc, options), outPath,
                     parser.isSet("letter") ? ReportPaper::Letter : ReportPaper::A4, error)) {
        std::fprintf(stderr, "plumex: %s: the report cannot be written: %s\n", SystemPath(outPath).c_str(),
                     qPrintable(error));
        return 1;
    }
    std::printf("%s\n", SystemPath(outPath).c_str());
    // The report says why jets have no results; its status says it as
    // --batch does, so that a script does not take it as complete.
    int computed = 0;
    doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) { computed += j.GetDiskCount() > 0; });
    if (computed == 0) {
        std::fprintf(stderr, "plumex: %s: no jet could be computed\n", SystemPath(casePath).c_str());
        return 1;
    }
    if (computed < doc.GetJetCount()) {
        std::fprintf(stderr, "plumex: %s: only %d of %d jets computed (exit status %d)\n", SystemPath(casePath).c_str(),
                     computed, doc.GetJetCount(), kExitSomeJetsNotComputed);
        return kExitSomeJetsNotComputed;
    }
    return 0;
}

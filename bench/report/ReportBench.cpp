// bench_report: the time of a case report with many jets: building it (the
// plots drawn into their pictures) and writing it as self-contained HTML
// (the pictures encoded as PNG).
//   bench_report [JETS [DISKS]]     default 100 jets of 1500 disks
//   bench_report --pictures DIR     also saves the report's pictures, to
//                                   compare two builds' pictures
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "SyntheticCase.h"
#include "base/AppState.h"
#include "model/Case.h"
#include "report/CaseReport.h"
#include "report/ReportWriter.h"
#include "support/ScriptedPrompt.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int jets = 100, disks = 1500;
    QString pictures;
    int number = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--pictures") == 0 && i + 1 < argc) pictures = argv[++i];
        else if (number++ == 0) jets = std::atoi(argv[i]);
        else disks = std::atoi(argv[i]);
    }
    CAppState state;
    CScriptedPrompt prompt;
    CCase doc(state, prompt);
    BuildSyntheticCase(doc, jets, disks);
    ReportOptions options;
    options.m_strCaseName = "synthetic.pmx";
    options.m_strProgramVersion = "bench";

    QTemporaryDir dir;
    std::printf("jets  disks/jet  build(ms)  write-html(ms)  total(ms)  cpu(ms)  pictures\n");
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer clock;
        clock.start();
        const std::clock_t cpu0 = std::clock();
        const ReportDocument report = BuildCaseReport(doc, options);
        const qint64 built = clock.elapsed();
        QString error;
        if (!WriteReport(report, dir.filePath("report.html"), ReportPaper::A4, error)) {
            std::fprintf(stderr, "cannot write the report: %s\n", qPrintable(error));
            return 1;
        }
        const qint64 total = clock.elapsed();
        // The processor time is the steadier figure on a shared machine.
        const double cpu = 1000.0 * static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
        std::printf("%4d  %9d  %9lld  %14lld  %9lld  %7.0f  %8zu\n", jets, disks, static_cast<long long>(built),
                    static_cast<long long>(total - built), static_cast<long long>(total), cpu, report.m_Images.size());
        if (run == 0 && !pictures.isEmpty()) {
            QDir().mkpath(pictures);
            for (const auto& [name, image] : report.m_Images) image.save(QDir(pictures).filePath(name));
        }
    }
    return 0;
}

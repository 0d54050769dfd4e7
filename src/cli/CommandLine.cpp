#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <cstdio>

#include "cli/BatchCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommand.h"
#include "cli/InfoCommand.h"
#include "cli/OwnInputCheck.h"
#include "cli/RenderCommand.h"
#include "cli/ReportCommand.h"
#include "cli/SectionCommand.h"
#include "cli/StudyCommand.h"

bool RunCommandLine(const QStringList& arguments, int& exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Plumex: buoyant jets of submarine sewage outfalls, computed and shown in 3-D.\n\n"
        "Exit status: 0 done; 1 the case or a file could not be read or written, or no jet\n"
        "could be computed; 2 wrong arguments; 3 --render without a display; 4 --batch\n"
        "or --report wrote its results but some jets could not be computed.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption info("info", "Print the case file CASE: profile, structure, inputs, results.", "CASE");
    parser.addOption(info);
    const QCommandLineOption batch("batch",
                                   "Compute every jet of CASE (.pmx, or .json in the text form) without the GUI, "
                                   "print one line per jet and one far-field line per outfall, and save the "
                                   "results into the case (or to --out).",
                                   "CASE");
    const QCommandLineOption out("out", "The file --batch, --import, --export or --report writes.", "FILE");
    const QCommandLineOption csv("csv", "With --batch: also write disks.csv, jets.csv and farfield.csv into DIR.",
                                 "DIR");
    const QCommandLineOption import("import", "Check the text form CASE.json and write it as a case file (--out).",
                                    "CASE.json");
    const QCommandLineOption exportOpt("export",
                                       "Write the case file CASE in its text form (to --out or standard "
                                       "output).",
                                       "CASE.pmx");
    parser.addOptions({batch, out, csv, import, exportOpt});
    AddSectionOptions(parser);
    AddRenderOptions(parser);
    AddReportOptions(parser);
    AddStudyOptions(parser);
    parser.addPositionalArgument("case", "A case file to open in the program.", "[CASE.pmx]");

    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "plumex: %s\n", qPrintable(parser.errorText()));
        exitCode = 2;
        return true;
    }
    if (parser.isSet("help")) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        exitCode = 0;
        return true;
    }
    if (parser.isSet("version")) {
        std::printf("plumex %s\n", PLUMEX_VERSION);
        exitCode = 0;
        return true;
    }
    const int jobs = parser.isSet(info) + parser.isSet(batch) + parser.isSet(import) + parser.isSet(exportOpt) +
                     parser.isSet("report") + StudyRequested(parser);
    if (jobs > 1) {
        std::fprintf(stderr, "plumex: give one of --info, --batch, --import, --export, --report\n");
        exitCode = 2;
        return true;
    }
    if (jobs == 0 && (parser.isSet(out) || parser.isSet(csv))) {
        std::fprintf(stderr, "plumex: --out and --csv go with --batch, --import, --export or --report\n");
        exitCode = 2;
        return true;
    }
    const QString ownInput = OutputThatIsAnInput(parser);
    if (!ownInput.isEmpty()) {
        std::fprintf(stderr, "plumex: %s\n", qPrintable(ownInput));
        exitCode = 1;
        return true;
    }
    if (StudyRequested(parser)) {
        exitCode = RunStudyCommand(parser);
        return true;
    }
    if (parser.isSet(batch)) {
        exitCode = RunBatchCommand(parser.value(batch), parser.value(out), parser.value(csv));
        return true;
    }
    if (parser.isSet(import)) {
        exitCode = RunImportCommand(parser.value(import), parser.value(out));
        return true;
    }
    if (parser.isSet(exportOpt)) {
        exitCode = RunExportCommand(parser.value(exportOpt), parser.value(out));
        return true;
    }
    if (ReportRequested(parser)) {
        exitCode = RunReportCommand(parser);
        return true;
    }
    if (parser.isSet(info)) {
        exitCode = RunInfoCommand(parser.value(info));
        return true;
    }
    if (RenderRequested(parser)) {
        exitCode = RunRenderCommand(parser);
        return true;
    }
    if (SectionRequested(parser)) {
        exitCode = RunSectionCommand(parser);
        return true;
    }
    return false;
}

#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <cstdio>

#include "app/InfoCommand.h"

bool RunCommandLine(const QStringList& arguments, int& exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Plumex: buoyant jets of submarine sewage outfalls, computed and shown in 3-D.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption info("info", "Print the case file CASE: profile, structure, inputs, results.", "CASE");
    parser.addOption(info);
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
    if (parser.isSet(info)) {
        exitCode = RunInfoCommand(parser.value(info));
        return true;
    }
    return false;
}

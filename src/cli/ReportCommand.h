#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// --report: computes every jet of a case with the jet model and writes the
// case report (PDF or HTML by the extension of --out; A4, or US Letter with
// --letter). The 3-D picture is included when a display gives an OpenGL
// context; without one the report says it was left out.
#include <QString>

class QCommandLineParser;

// Adds --report and --letter (--out is shared with the other jobs).
void AddReportOptions(QCommandLineParser& parser);
bool ReportRequested(const QCommandLineParser& parser);
// Exit code: 0 written, 1 case, model or file failed, 2 bad arguments.
int RunReportCommand(const QCommandLineParser& parser);
// True when the arguments ask for --report (read before the application
// object exists, to choose a GUI application).
bool ArgumentsAskForReport(int argc, char** argv);

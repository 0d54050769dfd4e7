#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// --study: a case computed against the conditions of a conditions file
// (docs/conditions.md), one row per condition and jet into --out, and the
// summary printed (and written to --summary). --part I/K computes one slice;
// --merge-study OUT PART... joins the parts into the file a single run
// writes. Exit status: 0 done; 1 a file could not be read or written, the
// conditions file was refused or no condition could be computed; 2 wrong
// arguments; 4 the results were written but some conditions were skipped
// or not computed; 130 interrupted (no output written).
class QCommandLineParser;

void AddStudyOptions(QCommandLineParser& parser);
bool StudyRequested(const QCommandLineParser& parser);
int RunStudyCommand(const QCommandLineParser& parser);

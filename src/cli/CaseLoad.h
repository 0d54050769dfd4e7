#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// Loading the case a command-line job names: a case file (.pmx) or a case
// in its text form (.json, checked by the rules of the input forms).
// Problems go to standard error; false when the case cannot be used.
#include <QString>

class CPlumexDoc;

bool IsJsonCase(const QString& path);
bool LoadCaseForJob(const QString& path, CPlumexDoc& doc);

// The steps jobs that compute a case share: load it (a case without a jet
// is refused), then compute every jet, starting from the first one (the
// run's checks look at the current jet). Each says what went wrong on
// standard error and returns false. A run that does not get as far as
// reading results leaves the jets as the case held them: those are not
// results of this run.
bool LoadCaseWithJetsForJob(const QString& path, CPlumexDoc& doc);
bool ComputeAllJetsForJob(const QString& path, CPlumexDoc& doc);

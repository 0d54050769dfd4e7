#pragma once
// Loading the case a command-line job names: a case file (.pmx) or a case
// in its text form (.json, checked by the rules of the input forms).
// Problems go to standard error; false when the case cannot be used.
#include <QString>

class CPlumexDoc;

bool IsJsonCase(const QString& path);
bool LoadCaseForJob(const QString& path, CPlumexDoc& doc);

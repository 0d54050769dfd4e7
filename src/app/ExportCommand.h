#pragma once
#include <QString>

// plumex --export CASE.pmx [--out CASE.json]: writes the text form of a case
// file (to standard output without --out).
int RunExportCommand(const QString& casePath, const QString& outPath);

#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
#include <QString>

// plumex --export CASE.pmx [--out CASE.json]: writes the text form of a case
// file (to standard output without --out).
int RunExportCommand(const QString& casePath, const QString& outPath);

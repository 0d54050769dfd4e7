#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
#include <QString>

// plumex --import CASE.json --out CASE.pmx: checks the text form of a case
// and writes it as a case file; nothing is written when it has problems.
int RunImportCommand(const QString& jsonPath, const QString& outPath);

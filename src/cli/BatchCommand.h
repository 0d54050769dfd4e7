#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
#include <QString>

// plumex --batch CASE [--out FILE.pmx] [--csv DIR]: computes every jet of a
// case file (or of a case in its text form) without the GUI, prints one
// line per jet, saves the results into the case (in place or to --out) and
// optionally writes them as CSV. Exit status 1 when the case cannot be read,
// no jet could be computed or a file cannot be written; kExitSomeJetsNotComputed
// when the results were saved but some jets could not be computed.
constexpr int kExitSomeJetsNotComputed = 4;
int RunBatchCommand(const QString& casePath, const QString& outPath, const QString& csvDir);

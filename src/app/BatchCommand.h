#pragma once
#include <QString>

// plumex --batch CASE [--out FILE.pmx] [--csv DIR]: computes every jet of a
// case file (or of a case in its text form) without the GUI, prints one
// line per jet, saves the results into the case (in place or to --out) and
// optionally writes them as CSV. Non-zero exit when the case cannot be read
// or no jet could be computed.
int RunBatchCommand(const QString& casePath, const QString& outPath, const QString& csvDir);

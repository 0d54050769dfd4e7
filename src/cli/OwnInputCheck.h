#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// One check for every job of the command line: no file a job writes (--out,
// --image, the CSV files of --csv) may be a file it reads (the case of
// --batch, --import, --export, --report, --render, --section or --info).
// Files are compared by device and inode, so hard and symbolic links and
// other spellings of a path are caught. Only `--batch CASE.pmx` without
// --out saves into its own case, as it is meant to.
#include <QString>

class QCommandLineParser;

// "" when the job may run, else the message for a refused output (the job
// then writes nothing and ends with exit status 1).
QString OutputThatIsAnInput(const QCommandLineParser& parser);

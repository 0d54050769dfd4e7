#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
#include <QString>

// plumex --info CASE.pmx: prints the case; non-zero exit for a bad file.
int RunInfoCommand(const QString& path);

#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// The program's command line: headless jobs (--info, --batch, --import,
// --export, --render, --section) and the GUI when none is asked.
#include <QStringList>

// Runs a headless job when the arguments ask for one. Returns true and sets
// exitCode when a job ran (or the arguments were wrong); false to start the GUI.
bool RunCommandLine(const QStringList& arguments, int& exitCode);

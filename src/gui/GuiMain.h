#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The desktop program: true when the arguments name only case files (or
// nothing), so the program opens its window instead of running a job.
bool ArgumentsAskForGui(int argc, char** argv);
// Makes the QApplication, starts the program with the named case files
// and runs it until its window closes. Returns the exit code.
int RunGui(int argc, char** argv);

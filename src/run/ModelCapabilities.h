#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// Whether the jet model program reads a row of ports (the port count of
// line 3 and the spacing and axis of line 4, see PortRow.h). The program
// says so when asked with "--capabilities": one feature a line, "port-row"
// among them. A program that cannot start, fails, takes longer than a
// moment or does not name the feature does not read rows: older programs
// stop at line 4 of an input that gives them one.
#include <string>

// How long the program may take to answer.
constexpr int kCapabilityTimeoutMs = 3000;

// The answer of program (a path, or a name found on the search path),
// asked once per program file and modification time: later calls for the
// same file return the answer kept, and a program replaced on disk is asked
// again.
bool ModelReadsPortRows(const std::string& program);

// Asks without keeping the answer: runs program --capabilities in an empty
// directory of its own (so a program that takes the option for a run finds
// no input and writes nothing where a run looks) and stops it, with every
// process it started, after timeoutMs.
bool AskModelReadsPortRows(const std::string& program, int timeoutMs);

#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// A command's standard output is part of its result: a cut output (a full
// disk, a closed pipe) must not end with success.
#include <string>

// Sends standard output through a stream that keeps the reason of its first
// failed write (call once, before anything is printed).
void WatchStandardOutput();
// Flushes standard output; false when anything written to it was lost,
// with a message on standard error.
bool FinishStandardOutput();

// A text from a case file or the model's output made safe to print on a
// terminal: control characters (escape, carriage return, ...), DEL and
// the 8-bit control codes are shown as \xNN; everything else is kept.
std::string TerminalText(const std::string& text);

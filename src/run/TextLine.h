#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// Reading the model's text files line by line. A line's end (CR LF as the
// model writes it, or a bare LF) is removed. A line longer than
// kMaxTextLine characters keeps its first kMaxTextLine; the rest of it is
// read and dropped, so a file without line ends costs no memory.
#include <cstddef>
#include <cstdio>
#include <string>

constexpr std::size_t kMaxTextLine = 4096;

// False at the end of the file when nothing was read. consumed (if given)
// receives the bytes taken from the file, line end included, so that a
// reader can give the line back without asking the file for its position
// before every line.
bool ReadTextLine(std::FILE* file, std::string& line, long* consumed = nullptr);

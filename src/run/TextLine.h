#pragma once
// Reading the model's text files line by line. A line is read whole,
// whatever its length; its end (CR LF as the model writes it, or a bare LF)
// is removed.
#include <cstdio>
#include <string>

// False at the end of the file when nothing was read.
bool ReadTextLine(std::FILE* file, std::string& line);

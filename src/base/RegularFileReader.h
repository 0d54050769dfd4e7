#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// The one way the program reads a whole input file (a case file, the text
// form of a case): only a regular file of at most a given size is read. A
// device (/dev/zero), a FIFO or a folder, also through a link, is refused
// before anything is read from it, so no reading blocks or runs out of
// memory.
#include <cstddef>
#include <string>
#include <vector>

// The whole file into `file`; false with a reason in `error` ("it is not a
// regular file", "the file has N bytes, more than <kind> may have (M
// bytes)", or the system's reason).
bool ReadRegularFile(const std::string& path, std::size_t maxBytes, const char* kind, std::vector<unsigned char>& file,
                     std::string& error);

#pragma once
// The container of a case file: an OLE2 compound file whose stream
// "Contents" holds the case bytes. Reading also accepts a file that holds
// the bare byte sequence.
#include <string>
#include <vector>

namespace CaseFile {
// Reads the case bytes; false with a reason when the file cannot be read or
// is neither a compound file with a "Contents" stream nor a bare case stream.
bool Read(const std::string& path, std::vector<unsigned char>& bytes, std::string& error);
// Writes the case bytes. The file is written under a temporary name and
// renamed on success, so a failed save leaves the previous file intact.
bool Write(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error);
}  // namespace CaseFile

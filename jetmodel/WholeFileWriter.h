// A file written piece by piece under a temporary name in its directory and
// renamed to its own name only when it is complete: whoever sees the file
// sees it whole. A writer that is not committed leaves nothing behind.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace mardex {

class WholeFileWriter {
public:
  // Creates the temporary file; ok() tells whether that worked.
  explicit WholeFileWriter(const std::filesystem::path& target);
  ~WholeFileWriter();
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;

  bool ok() const { return file_ != nullptr && error_.empty(); }
  // Why the file could not be written (empty while all is well).
  const std::string& error() const { return error_; }
  // Appends the text; a failure is kept for commit().
  void write(const std::string& text);
  // Closes the temporary file and renames it to the target. False (and the
  // temporary file removed) when anything failed on the way.
  bool commit();

private:
  void discard();

  std::filesystem::path target_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  std::string error_;
};

}  // namespace mardex

#include "WholeFileWriter.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace mardex {

namespace fs = std::filesystem;

namespace {

std::string temporaryName(const fs::path& target)
{
  static std::mt19937_64 rng{std::random_device{}()};
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(rng()));
  return target.string() + suffix;
}

}  // namespace

WholeFileWriter::WholeFileWriter(const fs::path& target) : target_(target)
{
  for (int attempt = 0; attempt < 8 && !file_; ++attempt) {
    temporary_ = temporaryName(target);
    file_ = std::fopen(temporary_.c_str(), "wbx");  // exclusive: never clobber a stranger's file
  }
  if (!file_)
    error_ = std::string("cannot create a temporary file: ") + std::strerror(errno);
}

WholeFileWriter::~WholeFileWriter()
{
  discard();
}

void WholeFileWriter::write(const std::string& text)
{
  if (!ok())
    return;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size())
    error_ = "write failed";
}

bool WholeFileWriter::commit()
{
  if (!file_)
    return false;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!closed && error_.empty())
    error_ = "write failed";
  std::error_code ec;
  if (error_.empty()) {
    fs::rename(temporary_, target_, ec);
    if (ec)
      error_ = "cannot rename " + temporary_ + ": " + ec.message();
  }
  if (!error_.empty()) {
    fs::remove(temporary_, ec);
    return false;
  }
  temporary_.clear();
  return true;
}

void WholeFileWriter::discard()
{
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporary_.empty()) {
    std::error_code ec;
    fs::remove(temporary_, ec);
    temporary_.clear();
  }
}

}  // namespace mardex

#include "Run.h"

#include "Jet.h"
#include "PlxdataWriter.h"
#include "SuspendWriter.h"
#include "Udf.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

namespace mardex {

namespace fs = std::filesystem;

namespace {

bool readFile(const fs::path& p, std::string& text, std::string& error)
{
  std::FILE* f = std::fopen(p.string().c_str(), "rb");
  if (!f) {
    error = std::strerror(errno);
    return false;
  }
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
    text.append(buf, n);
  const bool bad = std::ferror(f) != 0;
  std::fclose(f);
  if (bad) {
    error = "read error";
    return false;
  }
  return true;
}

std::string temporaryName(const fs::path& target)
{
  static std::mt19937_64 rng{std::random_device{}()};
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(rng()));
  return target.string() + suffix;
}

}  // namespace

bool writeWholeFile(const fs::path& target, const std::string& content, std::string& error)
{
  std::string tmp;
  std::FILE* f = nullptr;
  for (int attempt = 0; attempt < 8 && !f; ++attempt) {
    tmp = temporaryName(target);
    f = std::fopen(tmp.c_str(), "wbx");  // exclusive: never clobber a stranger's file
  }
  if (!f) {
    error = std::string("cannot create a temporary file: ") + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  const bool closed = std::fclose(f) == 0;
  std::error_code ec;
  if (!written || !closed) {
    error = "write failed";
    fs::remove(tmp, ec);
    return false;
  }
  fs::rename(tmp, target, ec);
  if (ec) {
    error = "cannot rename " + tmp + ": " + ec.message();
    fs::remove(tmp, ec);
    return false;
  }
  return true;
}

int runModel(const fs::path& dir, std::ostream& err, const IntegratorOptions& options)
{
  const fs::path udfPath = dir / "UDF";
  std::string text;
  std::string why;
  if (!readFile(udfPath, text, why)) {
    err << "mardex2k: " << udfPath.string() << ": cannot read the input file: " << why << '\n';
    return kExitBadInput;
  }
  const UdfParse parse = parseUdf(text, udfPath.string());
  text = std::string();  // may be large
  if (!parse.ok) {
    err << "mardex2k: " << parse.error << '\n';
    return kExitBadInput;
  }

  std::string suspend, plxdata;
  int number = 0;
  for (const JetInput& jet : parse.jets) {
    ++number;
    const JetResult r = computeJet(jet, options);
    appendSuspendPage(suspend, number, jet, r);
    appendPlxdataSection(plxdata, number, jet, r);
  }

  // "Suspend" first and whole, then "Plxdata": Plumex takes the appearance of
  // "Plxdata" as the end of the run.
  if (!writeWholeFile(dir / "Suspend", suspend, why)) {
    err << "mardex2k: " << (dir / "Suspend").string() << ": " << why << '\n';
    return kExitOutputFailed;
  }
  if (!writeWholeFile(dir / "Plxdata", plxdata, why)) {
    err << "mardex2k: " << (dir / "Plxdata").string() << ": " << why << '\n';
    return kExitOutputFailed;
  }
  return kExitOk;
}

}  // namespace mardex

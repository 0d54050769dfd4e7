#include "Run.h"

#include "Jet.h"
#include "PlxdataWriter.h"
#include "SuspendWriter.h"
#include "Udf.h"
#include "WholeFileWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

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

}  // namespace

bool writeWholeFile(const fs::path& target, const std::string& content, std::string& error)
{
  WholeFileWriter file(target);
  file.write(content);
  if (file.commit())
    return true;
  error = file.error();
  return false;
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

  // Each jet's trajectory section goes to the temporary "Plxdata" as it is
  // made (the sections of a large run would otherwise be held whole in
  // memory); the summary pages are few lines each and are kept.
  const fs::path plxdataPath = dir / "Plxdata";
  WholeFileWriter plxdata(plxdataPath);
  if (!plxdata.ok()) {
    err << "mardex2k: " << plxdataPath.string() << ": " << plxdata.error() << '\n';
    return kExitOutputFailed;
  }
  std::string suspend, section;
  int number = 0;
  for (const JetInput& jet : parse.jets) {
    ++number;
    const JetResult r = computeJet(jet, options);
    appendSuspendPage(suspend, number, jet, r);
    section.clear();
    appendPlxdataSection(section, number, jet, r);
    plxdata.write(section);
  }

  // "Suspend" first and whole, then "Plxdata": Plumex takes the appearance of
  // "Plxdata" as the end of the run.
  if (!writeWholeFile(dir / "Suspend", suspend, why)) {
    err << "mardex2k: " << (dir / "Suspend").string() << ": " << why << '\n';
    return kExitOutputFailed;
  }
  if (!plxdata.commit()) {
    err << "mardex2k: " << plxdataPath.string() << ": " << plxdata.error() << '\n';
    return kExitOutputFailed;
  }
  return kExitOk;
}

}  // namespace mardex

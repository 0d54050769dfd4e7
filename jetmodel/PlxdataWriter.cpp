#include "PlxdataWriter.h"

#include "NumberFormat.h"
#include "SuspendWriter.h"

#include <cstdio>

namespace mardex {

std::string sectionHeading(int jetNumber, const std::string& name)
{
  char buf[32];
  std::snprintf(buf, sizeof buf, " Jet %4d  ", jetNumber);
  return buf + printableName(name);
}

std::string formatRow(const OutputRow& row)
{
  std::string s;
  s.reserve(12 * 10);
  for (double v : row.col) {
    s += ' ';
    s += formatField9(v);
  }
  return s;
}

void appendPlxdataSection(std::string& out, int jetNumber, const JetInput& jet, const JetResult& r)
{
  if (r.rejected())
    return;
  out += sectionHeading(jetNumber, jet.name) + "\r\n";
  out += std::string(kPlxdataColumns) + "\r\n";
  out.reserve(out.size() + r.rows.size() * 122 + 256);
  for (const OutputRow& row : r.rows) {
    out += formatRow(row);
    out += "\r\n";
  }
}

}  // namespace mardex

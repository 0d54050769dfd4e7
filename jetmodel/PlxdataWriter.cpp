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

namespace {

constexpr std::size_t kRowLength = OutputRow::Count * (1 + kField9Width);

// The row's 120 characters at dst.
void writeRow(char* dst, const OutputRow& row)
{
  for (double v : row.col) {
    *dst++ = ' ';
    writeField9(dst, v);
    dst += kField9Width;
  }
}

}  // namespace

std::string formatRow(const OutputRow& row)
{
  std::string s(kRowLength, ' ');
  writeRow(&s[0], row);
  return s;
}

void appendPlxdataSection(std::string& out, int jetNumber, const JetInput& jet, const JetResult& r)
{
  if (r.rejected())
    return;
  out += sectionHeading(jetNumber, jet.name) + "\r\n";
  out += std::string(kPlxdataColumns) + "\r\n";
  // The rows are written in place: one resize for the whole section.
  std::size_t at = out.size();
  out.resize(at + r.rows.size() * (kRowLength + 2));
  for (const OutputRow& row : r.rows) {
    writeRow(&out[at], row);
    at += kRowLength;
    out[at++] = '\r';
    out[at++] = '\n';
  }
}

}  // namespace mardex

#include "Udf.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace mardex {

namespace {

bool isBlank(char c)
{
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Up to 40 characters of a line for a message, control characters shown as '?'.
std::string excerpt(std::string_view line)
{
  constexpr std::size_t kMax = 40;
  std::string out = "\"";
  for (std::size_t i = 0; i < line.size() && i < kMax; ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    out += (c < 0x20 || c == 0x7f) ? '?' : static_cast<char>(c);
  }
  if (line.size() > kMax)
    out += "...";
  return out + "\"";
}

class LineReader {
public:
  explicit LineReader(std::string_view text) : text_(text) {}

  // Next line without its end; false at the end of the text.
  bool next(std::string_view& line)
  {
    if (pos_ >= text_.size())
      return false;
    const std::size_t nl = text_.find('\n', pos_);
    const std::size_t end = nl == std::string_view::npos ? text_.size() : nl;
    line = text_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    pos_ = nl == std::string_view::npos ? text_.size() : nl + 1;
    ++number_;
    return true;
  }

  // True when everything left is blank lines.
  bool onlyBlankLeft() const
  {
    for (std::size_t i = pos_; i < text_.size(); ++i)
      if (text_[i] != '\n' && !isBlank(text_[i]))
        return false;
    return true;
  }

  int lineNumber() const { return number_; }

private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int number_ = 0;
};

// Reads exactly `count` numbers, blank-separated, as strtod does; nothing but
// blanks may follow. Returns false on text where a number must be.
bool readNumbers(std::string_view line, double* out, int count)
{
  std::size_t i = 0;
  char buf[kMaxNumberLength + 1];
  for (int k = 0; k < count; ++k) {
    while (i < line.size() && isBlank(line[i]))
      ++i;
    std::size_t j = i;
    while (j < line.size() && !isBlank(line[j]))
      ++j;
    const std::size_t len = j - i;
    if (len == 0 || len > kMaxNumberLength)
      return false;
    for (std::size_t c = 0; c < len; ++c) {
      if (line[i + c] == '\0')
        return false;
      buf[c] = line[i + c];
    }
    buf[len] = '\0';
    char* end = nullptr;
    out[k] = std::strtod(buf, &end);
    if (end != buf + len)
      return false;
    i = j;
  }
  while (i < line.size() && isBlank(line[i]))
    ++i;
  return i == line.size();
}

// The number of blank-separated tokens of a line when every one reads as a
// number, or -1.
int countNumbers(std::string_view line)
{
  int count = 0;
  std::size_t i = 0;
  for (;;) {
    while (i < line.size() && isBlank(line[i]))
      ++i;
    if (i == line.size())
      return count;
    std::size_t j = i;
    while (j < line.size() && !isBlank(line[j]))
      ++j;
    double v;
    if (!readNumbers(line.substr(i, j - i), &v, 1))
      return -1;
    ++count;
    i = j;
  }
}

}  // namespace

UdfParse parseUdf(std::string_view text, const std::string& fileLabel)
{
  UdfParse result;
  LineReader reader(text);
  std::string_view line;

  auto fail = [&](int lineNo, const std::string& what) {
    result.ok = false;
    result.jets.clear();
    result.errorLine = lineNo;
    result.error = fileLabel + ":" + std::to_string(lineNo) + ": " + what;
    return result;
  };

  int jetNo = 0;
  while (!reader.onlyBlankLeft()) {
    ++jetNo;
    JetInput jet;
    const std::string ofJet = " of jet " + std::to_string(jetNo);
    // A block whose name line reads as a profile row most likely follows a
    // jet with more profile rows than its count says.
    auto countHint = [&]() -> std::string {
      double row[4];
      if (jetNo > 1 && readNumbers(jet.name, row, 4))
        return " (the name line " + std::to_string(jet.firstLine) +
               " looks like a profile row: does the row count of jet " + std::to_string(jetNo - 1) +
               " match its rows?)";
      return {};
    };

    // Fetches the next line or reports what was expected at the end of file.
    auto need = [&](const std::string& what) {
      if (reader.next(line))
        return true;
      fail(reader.lineNumber() + 1,
           "unexpected end of file, expected " + what + ofJet + countHint());
      return false;
    };

    // Fetches the next line and reads `count` numbers from it.
    auto needNumbers = [&](const std::string& what, const std::string& expected, double* out,
                           int count) {
      if (!need(what))
        return false;
      if (readNumbers(line, out, count))
        return true;
      fail(reader.lineNumber(), "expected " + expected + ofJet + ", found " + excerpt(line));
      return false;
    };

    // 1. name
    if (!need("the jet name"))
      return result;
    jet.name = std::string(line);
    jet.firstLine = reader.lineNumber();

    // 2. control line
    if (!need("the control line"))
      return result;
    if (line.size() < 31 || (line[30] != '0' && line[30] != '1'))
      return fail(reader.lineNumber(), "expected the control line" + ofJet +
                                           " (31 characters, character 30 '0' or '1'), found " +
                                           excerpt(line) + countHint());
    jet.continuous = line[30] == '1';

    // 3. Q n D phi depth
    double l3[5];
    if (!needNumbers("the line 'Q n D phi depth'", "5 numbers 'Q n D phi depth'", l3, 5))
      return result;
    jet.flow = l3[0];
    jet.ports = l3[1];
    jet.diameter = l3[2];
    jet.verticalAngle = l3[3];
    jet.depth = l3[4];

    // 4. Ua theta 999.0 [s psi]: a row of ports spaced s along an axis at psi
    // (Row.h) when the two optional numbers are there.
    double l4[5];
    if (!need("the line 'Ua theta 999.0'"))
      return result;
    if (readNumbers(line, l4, 5)) {
      jet.portSpacing = l4[3];
      jet.rowAxis = l4[4];
    } else if (!readNumbers(line, l4, 3)) {
      const int count = countNumbers(line);
      if (count == 4 || count > 5)
        return fail(reader.lineNumber(), "expected 3 or 5 numbers 'Ua theta 999.0 [s psi]'" +
                                             ofJet + ", found " + excerpt(line));
      return fail(reader.lineNumber(),
                  "expected 3 numbers 'Ua theta 999.0'" + ofJet + ", found " + excerpt(line));
    }
    jet.currentSpeed = l4[0] == 0.0 ? 0.0 : l4[0];  // -0 is 0
    jet.horizontalAngle = l4[1];

    // 5. twelve fixed numbers, the step cap, 100
    double l5[14];
    if (!needNumbers("the line of 14 numbers ending with the step cap and 100",
                     "14 numbers (12 fixed numbers, the maximum number of steps, 100)", l5, 14))
      return result;
    jet.maxSteps = l5[12];

    // 6. nrows s0 T0
    double l6[3];
    if (!needNumbers("the line 'nrows s0 T0'", "3 numbers 'nrows s0 T0'", l6, 3))
      return result;
    const double rows = l6[0];
    if (!(rows >= 0.0 && rows <= kMaxProfileRows) || rows != std::floor(rows))
      return fail(reader.lineNumber(), "expected a whole number of profile rows (0 to 1000000)" +
                                           ofJet + ", found " + excerpt(line));
    jet.effluentValue = l6[1];
    jet.effluentTemperature = l6[2];

    // 7. the profile rows
    const int n = static_cast<int>(rows);
    for (int r = 0; r < n; ++r) {
      const std::string what = "profile row " + std::to_string(r + 1) + " of " + std::to_string(n) +
                               " 'depth value T U'";
      if (!need(what))
        return result;
      double v[4];
      if (!readNumbers(line, v, 4))
        return fail(reader.lineNumber(), "expected 4 numbers in " + what + ofJet + ", found " +
                                             excerpt(line) + " (is the row count right?)");
      jet.profile.push_back({v[0], v[1], v[2], v[3] == 0.0 ? 0.0 : v[3]});
    }
    result.jets.push_back(std::move(jet));
  }
  return result;
}

}  // namespace mardex

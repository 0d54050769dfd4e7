#include "NumberFormat.h"

#include "Constants.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

namespace mardex {

namespace {

constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// A number in exponent notation as std::to_chars writes it ("-1.23457e-05"):
// the mantissa with its sign and the decimal exponent. to_chars rounds
// exactly as printf's "%.*E" does, without its locale and format parsing.
struct Scientific {
  char text[40];
  int mantissaLength = 0;
  int exponent = 0;
};

Scientific scientific(double v, int digits)
{
  Scientific s;
  const auto r =
      std::to_chars(s.text, s.text + sizeof s.text, v, std::chars_format::scientific, digits);
  const char* e = r.ptr;
  while (e > s.text && e[-1] != 'e')
    --e;
  s.mantissaLength = static_cast<int>(e - s.text) - 1;
  const bool negative = *e == '-';
  int x = 0;
  for (const char* p = e + 1; p < r.ptr; ++p)
    x = x * 10 + (*p - '0');
  s.exponent = negative ? -x : x;
  return s;
}

int exponentDigits(int exponent)
{
  const int a = std::abs(exponent);
  return a >= 100 ? 3 : 2;
}

// Length of the mantissa and the exponent written as E[-]dd[d]: no '+', at
// least two digits.
int exponentFormLength(int mantissaLength, int exponent)
{
  return mantissaLength + 1 + (exponent < 0 ? 1 : 0) + exponentDigits(exponent);
}

// Writes "E[-]dd[d]" at dst; returns the end.
char* writeExponent(char* dst, int exponent)
{
  *dst++ = 'E';
  if (exponent < 0)
    *dst++ = '-';
  const int a = std::abs(exponent);
  if (a >= 100)
    *dst++ = static_cast<char>('0' + a / 100);
  *dst++ = static_cast<char>('0' + a / 10 % 10);
  *dst++ = static_cast<char>('0' + a % 10);
  return dst;
}

// The mantissa of s with trailing zeros dropped (one decimal kept) and its
// exponent as E[-]dd[d].
std::string trimmedExponentForm(const Scientific& s)
{
  int n = s.mantissaLength;
  if (std::memchr(s.text, '.', static_cast<std::size_t>(n)) != nullptr) {
    while (n > 1 && s.text[n - 1] == '0')
      --n;
    if (s.text[n - 1] == '.')
      ++n;  // the zero after the point was there
  }
  char buf[48];
  std::memcpy(buf, s.text, static_cast<std::size_t>(n));
  const char* end = writeExponent(buf + n, s.exponent);
  return std::string(static_cast<const char*>(buf), end);
}

// llround of a non-negative x below 2^52: halves away from zero.
unsigned long long roundHalfAway(double x)
{
  unsigned long long m = static_cast<unsigned long long>(x);
  if (x - static_cast<double>(m) >= 0.5)
    ++m;
  return m;
}

int decimalDigits(unsigned long long m)
{
  int n = 0;
  for (; m > 0; m /= 10)
    ++n;
  return n;
}

// Fixed notation of v (a = |v|, 0 or 1e-3 <= a < 1e9) right-aligned into the
// field. Starts with the decimals that should fit and takes one off when
// rounding adds a digit (99.9999999 -> 100.00000). False when the text would
// show fewer than 4 significant digits of a value that is not 0.
bool writeFixedField(char* dst, double v, double a)
{
  int intDigits = 1;
  while (intDigits < 9 && a >= kPow10[intDigits])
    ++intDigits;
  const bool negative = v < 0;
  int decimals = std::max(0, std::min(6, kField9Width - 1 - (negative ? 1 : 0) - intDigits));
  for (; decimals >= 0; --decimals) {
    const unsigned long long m = roundHalfAway(a * kPow10[decimals]);
    const int significant = decimalDigits(m);
    const bool sign = negative && m != 0;
    const int length =
        std::max(significant, decimals + 1) + (decimals > 0 ? 1 : 0) + (sign ? 1 : 0);
    if (length > kField9Width)
      continue;
    if (a != 0.0 && significant < 4)
      return false;
    char* p = dst + kField9Width;
    unsigned long long x = m;
    for (int i = 0; i < decimals; ++i, x /= 10)
      *--p = static_cast<char>('0' + x % 10);
    if (decimals > 0)
      *--p = '.';
    do {
      *--p = static_cast<char>('0' + x % 10);
      x /= 10;
    } while (x > 0);
    if (sign)
      *--p = '-';
    while (p > dst)
      *--p = ' ';
    return true;
  }
  return false;
}

// Exponent notation right-aligned into the field, with as many mantissa
// digits (at most 5) as fit.
void writeExponentField(char* dst, double v)
{
  // Rounding to fewer digits can only carry into the next power of ten, so
  // the digits that fit with the exponent of the 5-digit form are the answer
  // unless their own rounding carried; then every count is tried in turn.
  Scientific s = scientific(v, 5);
  if (exponentFormLength(s.mantissaLength, s.exponent) > kField9Width) {
    const int exponent5 = s.exponent;
    const int sign = v < 0 ? 1 : 0;
    int digits = 4;
    while (digits > 0 && exponentFormLength(sign + 2 + digits, exponent5) > kField9Width)
      --digits;
    s = scientific(v, digits);
    if (s.exponent != exponent5) {
      for (digits = 4; digits >= 0; --digits) {
        s = scientific(v, digits);
        if (exponentFormLength(s.mantissaLength, s.exponent) <= kField9Width)
          break;
      }
      if (digits < 0) {
        std::memset(dst, ' ', kField9Width);
        return;
      }
    }
  }
  char buf[48];
  std::memcpy(buf, s.text, static_cast<std::size_t>(s.mantissaLength));
  const int n = static_cast<int>(writeExponent(buf + s.mantissaLength, s.exponent) - buf);
  std::memset(dst, ' ', static_cast<std::size_t>(kField9Width - n));
  std::memcpy(dst + kField9Width - n, buf, static_cast<std::size_t>(n));
}

}  // namespace

void writeField9(char* dst, double v)
{
  if (std::isnan(v))
    v = 0.0;
  else if (std::isinf(v))
    v = v > 0 ? DBL_MAX : -DBL_MAX;
  const double a = std::fabs(v);
  // Fixed notation when it shows at least 4 significant digits: |v| >= 1e-3
  // (6 decimals) and at most 9 characters.
  if ((a == 0.0 || (a >= 1e-3 && a < 1e9)) && writeFixedField(dst, v, a))
    return;
  writeExponentField(dst, v);
}

std::string formatField9(double v)
{
  char buf[kField9Width];
  writeField9(buf, v);
  return std::string(buf, kField9Width);
}

std::string formatValue(double v)
{
  if (!std::isfinite(v))
    return std::string(v < 0 ? "-" : "") + trimmedExponentForm(scientific(kInfiniteScale, 6));
  if (v == 0.0)
    return "0.0";
  const Scientific s = scientific(v, 6);
  const int e = s.exponent;
  if (e < -4 || e >= 9)
    return trimmedExponentForm(s);
  char buf[48];
  const auto r =
      std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, e >= 6 ? 0 : 6 - e);
  const char* end = r.ptr;
  if (std::memchr(buf, '.', static_cast<std::size_t>(end - buf)) == nullptr)
    return std::string(static_cast<const char*>(buf), end) + ".0";
  while (end[-1] == '0')
    --end;
  if (end[-1] == '.')
    ++end;
  return std::string(static_cast<const char*>(buf), end);
}

}  // namespace mardex

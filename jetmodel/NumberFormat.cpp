#include "NumberFormat.h"

#include "Constants.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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

// llround of a non-negative x below 2^32: halves away from zero.
std::uint32_t roundHalfAway(double x)
{
  std::uint32_t m = static_cast<std::uint32_t>(x);
  if (x - static_cast<double>(m) >= 0.5)
    ++m;
  return m;
}

constexpr std::uint32_t kPow10u[] = {1,      10,      100,      1000,      10000,
                                     100000, 1000000, 10000000, 100000000, 1000000000};

// The number of decimal digits of m (0 for 0).
int decimalDigits(std::uint32_t m)
{
  if (m == 0)
    return 0;
  const int t = ((32 - __builtin_clz(m)) * 1233) >> 12;  // log10 from log2, at most one too high
  return t + 1 - (m < kPow10u[t] ? 1 : 0);
}

const char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The digits of m written leftwards from end, at least `width` of them
// (zeros in front); returns the first.
char* writeDigitsLeft(char* end, std::uint32_t m, int width)
{
  char* p = end;
  while (m >= 100) {
    const std::uint32_t r = m % 100;
    m /= 100;
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * r, 2);
  }
  if (m >= 10) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * m, 2);
  } else {
    *--p = static_cast<char>('0' + m);
  }
  while (end - p < width)
    *--p = '0';
  return p;
}

// m split at `decimals` (0..6) digits from the right; constant divisors.
void splitDecimals(std::uint32_t m, int decimals, std::uint32_t& whole, std::uint32_t& fraction)
{
  switch (decimals) {
  case 1:
    whole = m / 10;
    break;
  case 2:
    whole = m / 100;
    break;
  case 3:
    whole = m / 1000;
    break;
  case 4:
    whole = m / 10000;
    break;
  case 5:
    whole = m / 100000;
    break;
  case 6:
    whole = m / 1000000;
    break;
  default:
    whole = m;
    break;
  }
  fraction = m - whole * kPow10u[decimals];
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
    // Below 1e9 + 1: the digits fit 32 bits.
    const std::uint32_t m = roundHalfAway(a * kPow10[decimals]);
    const int significant = decimalDigits(m);
    const bool sign = negative && m != 0;
    const int length =
        std::max(significant, decimals + 1) + (decimals > 0 ? 1 : 0) + (sign ? 1 : 0);
    if (length > kField9Width)
      continue;
    if (a != 0.0 && significant < 4)
      return false;
    std::memset(dst, ' ', kField9Width);
    std::uint32_t whole = 0, fraction = 0;
    splitDecimals(m, decimals, whole, fraction);
    char* p = dst + kField9Width;
    if (decimals > 0) {
      p = writeDigitsLeft(p, fraction, decimals);
      *--p = '.';
    }
    p = writeDigitsLeft(p, whole, 1);
    if (sign)
      p[-1] = '-';
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

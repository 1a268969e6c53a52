#include "engine/xfile/float_text.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace engine::xfile {

#if __cpp_lib_to_chars >= 201611L
std::to_chars_result FloatToChars(char* first, char* last, float value) {
  return std::to_chars(first, last, value);
}
std::from_chars_result FloatFromChars(const char* first, const char* last, float& value) {
  return std::from_chars(first, last, value);
}
std::from_chars_result DoubleFromChars(const char* first, const char* last, double& value) {
  return std::from_chars(first, last, value);
}
#else
std::to_chars_result FloatToChars(char* first, char* last, float value) {
  return standin::FloatToChars(first, last, value);
}
std::from_chars_result FloatFromChars(const char* first, const char* last, float& value) {
  return standin::FloatFromChars(first, last, value);
}
std::from_chars_result DoubleFromChars(const char* first, const char* last, double& value) {
  return standin::DoubleFromChars(first, last, value);
}
#endif

namespace standin {
namespace {

// A float's decimal digits and exponent: value = 0.d1d2d3... * 10^(exponent + 1), d1 != 0.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

// The p-digit decimal that snprintf rounds the value to.
Decimal Rounded(float value, int p) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*e", p - 1, static_cast<double>(value));
  Decimal d;
  const char* e = std::strchr(text, 'e');
  for (const char* c = text; c != e; ++c) {
    if (*c >= '0' && *c <= '9') d.digits.push_back(*c);
  }
  d.exponent = std::atoi(e + 1);
  return d;
}

std::string Scientific(const Decimal& d) {
  std::string s = d.digits;
  if (s.size() > 1) s.insert(1, 1, '.');
  const std::string digits = std::to_string(std::abs(d.exponent));
  return s + (d.exponent < 0 ? "e-" : "e+") + (digits.size() < 2 ? "0" : "") + digits;
}

float Read(const std::string& digits, int exponent) {
  const std::string text =
      digits.substr(0, 1) + "." + digits.substr(1) + "e" + std::to_string(exponent);
  return std::strtof(text.c_str(), nullptr);
}

// The fewest digits that read back as the value; of two such, the nearer. snprintf's rounding
// gives the nearest p-digit decimal, which misses only where the float's neighbours lie at unequal
// distances (at a power of two): then a neighbour of that decimal may read back where it does not.
Decimal Shortest(float value) {
  for (int p = 1; p < 9; ++p) {
    Decimal d = Rounded(value, p);
    if (Read(d.digits, d.exponent) == value) return d;
    const long long m = std::atoll(d.digits.c_str());
    for (long long candidate : {m - 1, m + 1}) {
      const std::string digits = std::to_string(candidate);
      if (digits.size() != d.digits.size()) continue;  // another exponent: found at another p
      if (Read(digits, d.exponent) == value) return Decimal{digits, d.exponent};
    }
  }
  return Rounded(value, 9);  // nine digits always read back
}

std::string Fixed(float value, const Decimal& d) {
  const int count = static_cast<int>(d.digits.size());
  if (d.exponent >= count - 1) {
    // A whole number: the shortest text has as many characters as its exact digits, which are
    // nearer to the value.
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", static_cast<double>(std::fabs(value)));
    return text;
  }
  if (d.exponent >= 0) {
    return d.digits.substr(0, d.exponent + 1) + "." + d.digits.substr(d.exponent + 1);
  }
  return "0." + std::string(-d.exponent - 1, '0') + d.digits;
}

std::to_chars_result Put(char* first, char* last, const std::string& text) {
  if (last - first < static_cast<std::ptrdiff_t>(text.size())) {
    return {last, std::errc::value_too_large};
  }
  std::memcpy(first, text.data(), text.size());
  return {first + text.size(), std::errc()};
}

// The length of the longest prefix in from_chars' general form: [-] then "inf", "infinity",
// "nan", "nan(chars)" in any case, or digits with at most one point and an optional exponent.
size_t MatchNumber(const char* first, const char* last) {
  const char* p = first;
  if (p != last && *p == '-') ++p;
  auto startsWith = [&](const char* at, const char* word) {
    const size_t n = std::strlen(word);
    if (static_cast<size_t>(last - at) < n) return false;
    for (size_t i = 0; i < n; ++i) {
      if ((at[i] | 0x20) != word[i]) return false;
    }
    return true;
  };
  if (startsWith(p, "infinity")) return p + 8 - first;
  if (startsWith(p, "inf")) return p + 3 - first;
  if (startsWith(p, "nan")) {
    p += 3;
    const char* q = p;
    if (q != last && *q == '(') {
      ++q;
      while (q != last && (std::isalnum(static_cast<unsigned char>(*q)) || *q == '_')) ++q;
      if (q != last && *q == ')') p = q + 1;
    }
    return p - first;
  }
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  size_t digits = 0;
  while (p != last && isDigit(*p)) ++p, ++digits;
  if (p != last && *p == '.') {
    ++p;
    while (p != last && isDigit(*p)) ++p, ++digits;
  }
  if (digits == 0) return 0;
  if (p != last && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q != last && (*q == '+' || *q == '-')) ++q;
    if (q != last && isDigit(*q)) {
      while (q != last && isDigit(*q)) ++q;
      p = q;
    }
  }
  return p - first;
}

template <class T, class Convert>
std::from_chars_result FromChars(const char* first, const char* last, T& value, Convert convert) {
  const size_t n = MatchNumber(first, last);
  if (n == 0) return {first, std::errc::invalid_argument};
  const std::string text(first, n);
  errno = 0;
  const T result = convert(text.c_str());
  if (errno == ERANGE && (std::isinf(result) || result == 0)) {
    // The standard functions leave the value alone when it is out of range.
    return {first + n, std::errc::result_out_of_range};
  }
  value = result;
  return {first + n, std::errc()};
}

}  // namespace

std::to_chars_result FloatToChars(char* first, char* last, float value) {
  const std::string sign = std::signbit(value) ? "-" : "";
  if (std::isnan(value)) return Put(first, last, sign + "nan");
  if (std::isinf(value)) return Put(first, last, sign + "inf");
  if (value == 0) return Put(first, last, sign + "0");
  const Decimal d = Shortest(std::fabs(value));
  const std::string fixed = Fixed(value, d), scientific = Scientific(d);
  return Put(first, last, sign + (fixed.size() <= scientific.size() ? fixed : scientific));
}

std::from_chars_result FloatFromChars(const char* first, const char* last, float& value) {
  return FromChars(first, last, value, [](const char* s) { return std::strtof(s, nullptr); });
}

std::from_chars_result DoubleFromChars(const char* first, const char* last, double& value) {
  return FromChars(first, last, value, [](const char* s) { return std::strtod(s, nullptr); });
}

}  // namespace standin
}  // namespace engine::xfile

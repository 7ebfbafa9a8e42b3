#include "movie/script/value.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace movie::script {

std::string numberToString(double n) {
  if (std::isnan(n)) return "NaN";
  if (std::isinf(n)) return n > 0 ? "Infinity" : "-Infinity";
  if (n == 0) return "0";
  // Digits and exponent rounded to 15 significant places.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(n));
  std::string digits;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  int exponent = std::atoi(p + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = n < 0 ? "-" : "";
  int count = int(digits.size());
  if (exponent >= 15 || exponent < -5) {
    out += digits[0];
    if (count > 1) out += "." + digits.substr(1);
    out += exponent < 0 ? "e-" : "e+";
    out += std::to_string(std::abs(exponent));
  } else if (exponent < 0) {
    out += "0." + std::string(size_t(-exponent - 1), '0') + digits;
  } else if (count <= exponent + 1) {
    out += digits + std::string(size_t(exponent + 1 - count), '0');
  } else {
    out += digits.substr(0, size_t(exponent + 1)) + "." + digits.substr(size_t(exponent + 1));
  }
  return out;
}

std::string numberToRadix(double n, int radix) {
  if (radix == 10 || radix < 2 || radix > 36) return numberToString(n);
  if (!std::isfinite(n)) return numberToString(n);
  // Negative values print as their 32-bit integer with a sign.
  int64_t v = int64_t(toInt32(n));
  bool negative = v < 0;
  uint64_t u = uint64_t(negative ? -v : v);
  std::string out;
  do {
    int d = int(u % uint64_t(radix));
    out.insert(out.begin(), char(d < 10 ? '0' + d : 'a' + d - 10));
    u /= uint64_t(radix);
  } while (u);
  return negative ? "-" + out : out;
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

}  // namespace

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

double stringToNumber(const std::string& s, int version) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  size_t i = 0, n = s.size();
  while (i < n && isBlank(s[i])) ++i;
  if (i == n) return version >= 5 ? nan : 0;
  // Hexadecimal integers: 0x1F, also with a sign.
  size_t h = i;
  bool hexNegative = false;
  if (h < n && (s[h] == '-' || s[h] == '+')) hexNegative = s[h++] == '-';
  if (version >= 6 && h + 1 < n && s[h] == '0' && (s[h + 1] == 'x' || s[h + 1] == 'X')) {
    double v = 0;
    size_t j = h + 2;
    if (j == n) return nan;
    for (; j < n; ++j) {
      int d = digitValue(s[j]);
      if (d >= 16) return nan;
      v = v * 16 + d;
    }
    return hexNegative ? -v : v;
  }
  const char* begin = s.c_str() + i;
  size_t rest = n - i;
  // Infinity words are not numbers here.
  for (size_t k = 0; k < rest; ++k) {
    char c = begin[k];
    if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-'))
      return nan;
  }
  char* end = nullptr;
  double v = std::strtod(begin, &end);
  if (end == begin || size_t(end - begin) != rest) return nan;
  return v;
}

int32_t toInt32(double n) {
  if (!std::isfinite(n)) return 0;
  double t = std::trunc(n);
  double m = std::fmod(t, 4294967296.0);
  if (m < 0) m += 4294967296.0;
  return int32_t(uint32_t(m));
}

uint32_t toUint32(double n) { return uint32_t(toInt32(n)); }

double toInteger(double n) {
  if (std::isnan(n)) return 0;
  return std::trunc(n);
}

int toClampedInt(double n) {
  if (std::isnan(n)) return 0;
  return int(std::max(-2147483647.0, std::min(2147483647.0, std::trunc(n))));
}

}  // namespace movie::script

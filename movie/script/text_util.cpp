#include "movie/script/text_util.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "movie/script/value.h"

namespace movie::script {

std::vector<uint32_t> codePoints(const std::string& s) {
  std::vector<uint32_t> out;
  out.reserve(s.size());
  size_t i = 0, n = s.size();
  while (i < n) {
    uint8_t c = uint8_t(s[i]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (c >= 0x80 && c < 0xC0) extra = 0;
    uint32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    if (extra && i + size_t(extra) >= n) {
      extra = 0;
      cp = c;
    }
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      uint8_t cc = uint8_t(s[i + size_t(k)]);
      if ((cc & 0xC0) != 0x80) valid = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!valid) {
      extra = 0;
      cp = c;
    }
    out.push_back(cp);
    i += size_t(extra) + 1;
  }
  return out;
}

std::string encodeCodePoint(uint32_t c) {
  std::string out;
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
  return out;
}

std::string fromCodePoints(const std::vector<uint32_t>& points, size_t begin, size_t end) {
  std::string out;
  end = std::min(end, points.size());
  for (size_t i = begin; i < end; ++i) out += encodeCodePoint(points[i]);
  return out;
}

size_t stringLength(const std::string& s, bool characters) {
  return characters ? codePoints(s).size() : s.size();
}

std::string substringOf(const std::string& s, double index, double count, bool characters) {
  std::vector<uint32_t> points;
  if (characters) points = codePoints(s);
  size_t length = characters ? points.size() : s.size();
  double start = std::isnan(index) ? 0 : std::trunc(index) - 1;
  if (start < 0) start = 0;
  if (start >= double(length)) return "";
  double n = std::isnan(count) ? 0 : std::trunc(count);
  size_t take = n < 0 ? length - size_t(start) : size_t(std::min(n, double(length) - start));
  if (!characters) return s.substr(size_t(start), take);
  return fromCodePoints(points, size_t(start), size_t(start) + take);
}

uint32_t firstCodePoint(const std::string& s, bool characters) {
  if (s.empty()) return 0;
  if (!characters) return uint8_t(s[0]);
  return codePoints(s)[0];
}

std::string lowerCase(const std::string& s) {
  std::vector<uint32_t> p = codePoints(s);
  for (uint32_t& c : p)
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c += 32;
  return fromCodePoints(p, 0, p.size());
}

std::string upperCase(const std::string& s) {
  std::vector<uint32_t> p = codePoints(s);
  for (uint32_t& c : p)
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c -= 32;
  return fromCodePoints(p, 0, p.size());
}

double randomUnit() {
  static std::mt19937 generator(12345u);
  return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
}

std::string escapeText(const std::string& s) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
      out += char(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

std::string unescapeText(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && digitValue(s[i + 1]) < 16 && digitValue(s[i + 2]) < 16) {
      out += char(digitValue(s[i + 1]) * 16 + digitValue(s[i + 2]));
      i += 2;
    } else if (s[i] == '+') {
      out += ' ';
    } else {
      out += s[i];
    }
  }
  return out;
}

}  // namespace movie::script

#pragma once
// Small ASCII string helpers shared by the layers: HTML and CSS names are ASCII and
// compared without regard to case.
#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

namespace page {

inline char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
inline char32_t asciiLower(char32_t c) { return (c >= U'A' && c <= U'Z') ? c - U'A' + U'a' : c; }

inline std::string lowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = asciiLower(c);
  return out;
}

inline bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  return true;
}

// Whether a (lower-case) tag or property name is one of the names listed.
inline bool oneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

inline bool isSpace(char32_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

inline std::string_view trim(std::string_view s) {
  while (!s.empty() && isSpace(char32_t(static_cast<unsigned char>(s.front())))) s.remove_prefix(1);
  while (!s.empty() && isSpace(char32_t(static_cast<unsigned char>(s.back())))) s.remove_suffix(1);
  return s;
}

}  // namespace page

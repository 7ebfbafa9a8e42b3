// Colour and length parsing shared by HTML attributes and CSS.
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "page/style/style.h"
#include "page/util/strings.h"

namespace page {
namespace {

struct Named {
  std::string_view name;
  Color rgb;
};

constexpr Named kNames[] = {
    {"black", 0x000000},  {"white", 0xFFFFFF},   {"red", 0xFF0000},     {"green", 0x008000},
    {"blue", 0x0000FF},   {"yellow", 0xFFFF00},  {"navy", 0x000080},    {"maroon", 0x800000},
    {"purple", 0x800080}, {"olive", 0x808000},   {"teal", 0x008080},    {"gray", 0x808080},
    {"grey", 0x808080},   {"silver", 0xC0C0C0},  {"lime", 0x00FF00},    {"aqua", 0x00FFFF},
    {"cyan", 0x00FFFF},   {"fuchsia", 0xFF00FF}, {"magenta", 0xFF00FF}, {"orange", 0xFFA500},
    {"pink", 0xFFC0CB},   {"brown", 0xA52A2A},   {"gold", 0xFFD700},    {"darkblue", 0x00008B},
    {"darkred", 0x8B0000}, {"darkgreen", 0x006400}, {"lightblue", 0xADD8E6}, {"lightgrey", 0xD3D3D3},
    {"lightgray", 0xD3D3D3}, {"skyblue", 0x87CEEB}, {"violet", 0xEE82EE}, {"orangered", 0xFF4500},
    {"beige", 0xF5F5DC}, {"ivory", 0xFFFFF0},   {"khaki", 0xF0E68C},   {"coral", 0xFF7F50},
};

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = asciiLower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<Color> parseColor(std::string_view text) {
  std::string s = lowerAscii(trim(text));
  if (s.empty()) return std::nullopt;
  for (const Named& n : kNames)
    if (n.name == s) return 0xFF000000u | n.rgb;
  if (s.rfind("rgb(", 0) == 0) {
    int v[3] = {0, 0, 0};
    const char* p = s.c_str() + 4;
    for (int i = 0; i < 3; ++i) {
      while (*p == ' ' || *p == ',') ++p;
      char* end = nullptr;
      long x = std::strtol(p, &end, 10);
      if (end == p) return std::nullopt;
      p = end;
      if (*p == '%') { x = x * 255 / 100; ++p; }
      v[i] = int(std::clamp<long>(x, 0, 255));
    }
    return 0xFF000000u | (Color(v[0]) << 16) | (Color(v[1]) << 8) | Color(v[2]);
  }
  std::string_view h = s;
  if (h[0] == '#') h.remove_prefix(1);
  for (char c : h)
    if (hexDigit(c) < 0) return std::nullopt;
  if (h.size() == 3) {
    Color r = hexDigit(h[0]) * 17, g = hexDigit(h[1]) * 17, b = hexDigit(h[2]) * 17;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
  }
  if (h.size() == 6) {
    Color c = 0;
    for (char d : h) c = (c << 4) | Color(hexDigit(d));
    return 0xFF000000u | c;
  }
  return std::nullopt;
}

Length parseHtmlLength(std::string_view text) {
  std::string_view s = trim(text);
  size_t i = 0;
  long v = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && i < 9) v = v * 10 + (s[i++] - '0');
  if (i == 0) return {};
  while (i < s.size() && (std::isdigit(static_cast<unsigned char>(s[i])) || s[i] == '.')) ++i;
  v = std::min<long>(v, 100000);
  if (i < s.size() && s[i] == '%') return Length::percent(int(std::min<long>(v, 1000)));
  return Length::px(int(v));
}

}  // namespace page

// Character references: the names pages commonly use, and numeric ones.
#include <string_view>

#include "page/parse/tokenizer.h"

namespace page {
namespace {

struct Entity {
  std::u32string_view name;
  char32_t code;
};

constexpr Entity kEntities[] = {
    {U"amp", U'&'},     {U"lt", U'<'},       {U"gt", U'>'},      {U"quot", U'"'},
    {U"apos", U'\''},   {U"nbsp", 0xA0},     {U"copy", 0xA9},    {U"reg", 0xAE},
    {U"trade", 0x2122}, {U"middot", 0xB7},   {U"times", 0xD7},   {U"divide", 0xF7},
    {U"laquo", 0xAB},   {U"raquo", 0xBB},    {U"hellip", 0x2026}, {U"mdash", 0x2014},
    {U"ndash", 0x2013}, {U"lsquo", 0x2018},  {U"rsquo", 0x2019}, {U"ldquo", 0x201C},
    {U"rdquo", 0x201D}, {U"bull", 0x2022},   {U"deg", 0xB0},     {U"plusmn", 0xB1},
    {U"yen", 0xA5},     {U"cent", 0xA2},     {U"pound", 0xA3},   {U"euro", 0x20AC},
    {U"sect", 0xA7},    {U"para", 0xB6},     {U"iexcl", 0xA1},   {U"iquest", 0xBF},
    {U"ensp", 0x2002},  {U"emsp", 0x2003},   {U"thinsp", 0x2009}, {U"larr", 0x2190},
    {U"rarr", 0x2192},  {U"uarr", 0x2191},   {U"darr", 0x2193},  {U"hearts", 0x2665},
};

// Names honoured even without the closing semicolon, as old pages rely on it.
bool bareAllowed(std::u32string_view name) {
  return name == U"amp" || name == U"lt" || name == U"gt" || name == U"quot" || name == U"nbsp" ||
         name == U"copy" || name == U"reg";
}

bool isAlnum(char32_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

std::u32string decodeEntities(std::u32string_view text) {
  std::u32string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    char32_t c = text[i];
    if (c != '&') {
      out += c;
      ++i;
      continue;
    }
    size_t p = i + 1;
    if (p < text.size() && text[p] == '#') {
      ++p;
      bool hex = p < text.size() && (text[p] == 'x' || text[p] == 'X');
      if (hex) ++p;
      size_t start = p;
      uint32_t value = 0;
      while (p < text.size() && p - start < 8) {
        char32_t d = text[p];
        int digit = (d >= '0' && d <= '9') ? int(d - '0')
                    : hex && d >= 'a' && d <= 'f' ? int(d - 'a' + 10)
                    : hex && d >= 'A' && d <= 'F' ? int(d - 'A' + 10)
                                                  : -1;
        if (digit < 0) break;
        value = value * (hex ? 16 : 10) + digit;
        ++p;
      }
      if (p == start) {
        out += c;
        ++i;
        continue;
      }
      if (p < text.size() && text[p] == ';') ++p;
      if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) value = 0xFFFD;
      // Pages written for code page 1252 send 0x80-0x9F meaning its punctuation.
      static const char16_t k1252[32] = {0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021,
                                         0x2C6,  0x2030, 0x160,  0x2039, 0x152,  0x8D,   0x17D,  0x8F,
                                         0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};
      if (value >= 0x80 && value <= 0x9F) value = k1252[value - 0x80];
      out += char32_t(value);
      i = p;
      continue;
    }
    size_t start = p;
    while (p < text.size() && p - start < 10 && isAlnum(text[p])) ++p;
    std::u32string_view name = text.substr(start, p - start);
    bool semicolon = p < text.size() && text[p] == ';';
    bool found = false;
    for (const Entity& e : kEntities) {
      if (e.name == name && (semicolon || bareAllowed(name))) {
        out += e.code;
        i = p + (semicolon ? 1 : 0);
        found = true;
        break;
      }
    }
    if (!found) {
      out += c;
      ++i;
    }
  }
  return out;
}

}  // namespace page

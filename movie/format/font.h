#pragma once
// Embedded fonts as the file describes them: glyph outlines in font units (1024 to the
// em square, 20480 for DefineFont3), the character code of each glyph, and the optional
// layout (advances, ascent, descent, leading, kerning) that text fields need.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "movie/format/shape.h"

namespace movie::format {

struct Glyph {
  ShapeOutline outline;  // one group with one solid fill; edges use fill style 1
  char32_t code = 0;     // decoded to a code point
  float advance = 0;     // font units; 0 when the font has no layout
  Rect bounds;
};

struct FontDef {
  uint16_t id = 0;
  int tagVersion = 1;  // DefineFont 1, 2 or 3
  std::string name;    // family, UTF-8; empty when the movie names none
  std::string fullName;  // DefineFontName's name ("Arial Bold"); text matches the family
  bool bold = false, italic = false, smallText = false;
  bool shiftJis = false, ansi = false, wideCodes = false;
  uint8_t language = 0;
  float unitsPerEm = 1024;
  std::vector<Glyph> glyphs;
  bool hasLayout = false;
  float ascent = 0, descent = 0, leading = 0;  // font units
  std::map<std::pair<char32_t, char32_t>, float> kerning;

  // Glyph index of a code point, -1 when the font has none.
  int glyphIndex(char32_t code) const;
};

}  // namespace movie::format

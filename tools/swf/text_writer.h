#pragma once
// Fonts and text for hand-made test movies: DefineFont2/3 with layout, DefineText 1-2
// records and DefineEditText. Glyph outlines are Shapes in font units (1024 to the em
// for DefineFont2, 20480 for DefineFont3), y pointing down, the baseline at y = 0.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/swf/swf_writer.h"

namespace swf {

enum TextTagCode : uint16_t {
  kTagDefineFont = 10,
  kTagDefineText = 11,
  kTagDefineFontInfo = 13,
  kTagDefineText2 = 33,
  kTagDefineEditText = 37,
  kTagDefineFont2 = 48,
  kTagDefineFont3 = 75,
  kTagDefineFontName = 88,
};

// A tag's code and body; add(tags, tag) writes it into a tag list.
struct TagBody {
  uint16_t code = 0;
  Bytes body;
};
void add(TagList& tags, const TagBody& tag);

struct FontGlyph {
  uint16_t code = 0;  // UCS-2 (or a byte code with wideCodes off)
  Shape outline;      // one solid fill (index 1), no lines
  int16_t advance = 0;
};

struct Font {
  uint16_t id = 1;
  std::string name;  // bytes as stored
  bool bold = false, italic = false, wideCodes = true, hasLayout = true;
  std::vector<FontGlyph> glyphs;
  uint16_t ascent = 800, descent = 224;
  int16_t leading = 0;
  std::vector<std::pair<std::pair<uint16_t, uint16_t>, int16_t>> kerning;
};

// A glyph that is a filled box from (x, top) to (x + width, bottom), font units.
FontGlyph boxGlyph(uint16_t code, int32_t x, int32_t top, int32_t width, int32_t bottom, int16_t advance);
// version 2 or 3 (DefineFont2, DefineFont3).
TagBody encodeDefineFont(const Font& font, int version = 2);

struct TextGlyph {
  uint16_t index = 0;
  int32_t advance = 0;  // twips
};

struct TextRecord {
  std::optional<uint16_t> fontId;  // with height
  uint16_t height = 240;           // twips
  std::optional<Rgba> color;
  std::optional<int16_t> x, y;
  std::vector<TextGlyph> glyphs;
};

// version 1 (RGB colours) or 2 (RGBA).
TagBody encodeDefineText(uint16_t id, const Rect& bounds, const Matrix& matrix, const std::vector<TextRecord>& records,
                       int version = 1);

struct EditText {
  uint16_t id = 1;
  Rect bounds;
  std::optional<std::string> text;  // bytes as stored (UTF-8 from version 6, GBK before)
  bool wordWrap = false, multiline = false, password = false, readOnly = true;
  bool autoSize = false, noSelect = false, border = false, html = false, useOutlines = false;
  std::optional<uint16_t> fontId;
  uint16_t height = 240;
  std::optional<Rgba> color;
  std::optional<uint16_t> maxLength;
  std::optional<uint8_t> align;  // with the margins: layout present
  uint16_t leftMargin = 0, rightMargin = 0, indent = 0;
  int16_t leading = 0;
  std::string variable;
};

TagBody encodeDefineEditText(const EditText& field);

}  // namespace swf

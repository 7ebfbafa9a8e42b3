#pragma once
// Static text (DefineText, DefineText2) and text fields (DefineEditText) as the file
// describes them.
#include <cstdint>
#include <string>
#include <vector>

#include "movie/format/records.h"
#include "movie/value/color.h"
#include "movie/value/matrix.h"

namespace movie::format {

struct GlyphEntry {
  uint16_t index = 0;  // into the font's glyphs
  float x = 0;         // pen position of the glyph's origin, text space (twips)
};

// Glyphs of one font, height and colour on one baseline.
struct TextRun {
  uint16_t fontId = 0;
  Color color;
  float height = 0;  // em square size in twips
  float y = 0;       // baseline, text space
  std::vector<GlyphEntry> glyphs;
};

struct StaticTextDef {
  uint16_t id = 0;
  Rect bounds;
  Matrix matrix;  // text space -> character space
  std::vector<TextRun> runs;
};

struct EditTextDef {
  uint16_t id = 0;
  Rect bounds;
  bool wordWrap = false, multiline = false, password = false, readOnly = false;
  bool autoSize = false, noSelect = false, border = false, wasStatic = false;
  bool html = false, useOutlines = false;
  bool hasFont = false, hasColor = false, hasLayout = false;
  uint16_t fontId = 0;
  std::string fontClass;  // UTF-8
  float height = 240;     // twips
  Color color{0, 0, 0, 255};
  int maxLength = 0;      // 0: no limit
  enum Align : uint8_t { Left, Right, Center, Justify } align = Left;
  float leftMargin = 0, rightMargin = 0, indent = 0, leading = 0;  // twips
  std::string variableName;  // UTF-8
  std::u32string initialText;
};

}  // namespace movie::format

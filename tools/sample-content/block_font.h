#pragma once
// The lessons' own embedded font: capital letters, digits and a little punctuation
// drawn on a 5 x 7 grid of square cells, as glyph outlines for a DefineFont2.
#include "tools/swf/text_writer.h"

namespace sample {

// The font with every character it knows; glyph index order follows kBlockFontChars.
swf::Font blockFont(uint16_t id, const std::string& name);
extern const char kBlockFontChars[];
// Glyph index of a character, -1 when the font lacks it.
int blockGlyphIndex(char c);
// Advance of every glyph, font units (1024 to the em).
constexpr int16_t kBlockAdvance = 768;

}  // namespace sample

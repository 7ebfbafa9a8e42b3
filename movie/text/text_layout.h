#pragma once
// Lays out field text: paragraphs into lines (word wrap at spaces, and between CJK
// characters, which need no spaces), alignment, margins, indents, leading, tab stops and
// bullets, glyphs placed in twips relative to the text area's top left corner.
#include <cstdint>
#include <vector>

#include "movie/text/font_library.h"
#include "movie/text/styled_text.h"

namespace movie::text {

struct LayoutOptions {
  float width = 0;  // twips available to the text (the field less its gutters)
  bool wordWrap = false;
  bool password = false;
  bool embedFonts = false;  // embedded outlines only; otherwise device fonts
};

struct PlacedGlyph {
  const Face* face = nullptr;
  int glyph = -1;
  float x = 0, baseline = 0;  // twips
  float size = 0;             // em square in twips
  render::Color color;
  uint32_t charIndex = 0;
};

struct LineBox {
  float top = 0, height = 0, baseline = 0;  // twips; height excludes leading
  float left = 0, width = 0;                // the inked part of the line
  size_t begin = 0, end = 0;                // characters [begin, end), the break excluded
};

struct Underline {
  float x0 = 0, x1 = 0, y = 0, thickness = 20;
  render::Color color;
};

struct TextLayout {
  std::vector<LineBox> lines;
  std::vector<PlacedGlyph> glyphs;
  std::vector<Underline> underlines;
  std::vector<float> charLeft;   // left edge of every character, twips
  std::vector<float> charRight;  // right edge (left edge plus advance)
  std::vector<uint32_t> charLine;
  float textWidth = 0, textHeight = 0;  // twips, as textWidth/textHeight report them (x20)

  // The line holding character index i (the last line past the end).
  size_t lineOf(size_t i) const;
  // The character index nearest to a point (text area twips): the caret position a
  // click there gives.
  size_t hitTest(float x, float y) const;
  // Caret x for an insertion point before character i.
  float caretX(size_t i) const;
};

TextLayout layoutText(const StyledText& text, FontLibrary& fonts, const LayoutOptions& options);

// The face a format's characters use (null when an embedded font is missing).
const Face* faceFor(const CharFormat& format, FontLibrary& fonts, bool embedFonts);

}  // namespace movie::text

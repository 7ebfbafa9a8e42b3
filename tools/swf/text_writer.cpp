// Fonts, static text and text fields.
#include <algorithm>
#include <stdexcept>

#include "tools/swf/text_writer.h"

namespace swf {
namespace {

// A glyph is a SHAPE: the records of a one-fill shape without its style arrays.
Bytes glyphShape(const Shape& outline) {
  Bytes full = outline.encode(1);
  // Fill count (1), solid type (1), RGB (3), line count (1) precede the records.
  constexpr size_t kStyleBytes = 6;
  if (full.size() < kStyleBytes || full[0] != 1 || full[5] != 0)
    throw std::invalid_argument("a glyph has exactly one fill and no lines");
  return Bytes(full.begin() + kStyleBytes, full.end());
}

}  // namespace

void add(TagList& tags, const TagBody& tag) { tags.raw(tag.code, tag.body, true); }

FontGlyph boxGlyph(uint16_t code, int32_t x, int32_t top, int32_t width, int32_t bottom, int16_t advance) {
  FontGlyph g;
  g.code = code;
  int fill = g.outline.addFill(FillStyle::solid(rgb(0)));
  g.outline.rect(x, top, width, bottom - top, fill);
  g.advance = advance;
  return g;
}

TagBody encodeDefineFont(const Font& font, int version) {
  if (version != 2 && version != 3) throw std::invalid_argument("font version 2 or 3");
  std::vector<Bytes> shapes;
  for (const FontGlyph& g : font.glyphs) shapes.push_back(glyphShape(g.outline));
  BitWriter w;
  w.writeU16(font.id);
  w.writeUB(font.hasLayout, 1);
  w.writeUB(0, 1);  // Shift-JIS
  w.writeUB(0, 1);  // small text
  w.writeUB(0, 1);  // ANSI
  w.writeUB(1, 1);  // wide offsets
  w.writeUB(font.wideCodes, 1);
  w.writeUB(font.italic, 1);
  w.writeUB(font.bold, 1);
  w.writeU8(0);  // language
  w.writeU8(uint8_t(font.name.size()));
  for (char c : font.name) w.writeU8(uint8_t(c));
  w.writeU16(uint16_t(font.glyphs.size()));
  uint32_t offset = uint32_t(4 * font.glyphs.size() + 4);
  for (const Bytes& s : shapes) {
    w.writeU32(offset);
    offset += uint32_t(s.size());
  }
  w.writeU32(offset);  // the code table follows the shapes
  for (const Bytes& s : shapes) w.writeBytes(s);
  for (const FontGlyph& g : font.glyphs) font.wideCodes ? w.writeU16(g.code) : w.writeU8(uint8_t(g.code));
  if (font.hasLayout) {
    w.writeU16(font.ascent);
    w.writeU16(font.descent);
    w.writeU16(uint16_t(font.leading));
    for (const FontGlyph& g : font.glyphs) w.writeU16(uint16_t(g.advance));
    for (const FontGlyph& g : font.glyphs) w.writeBytes(encodeRect(g.outline.edgeBounds()));
    w.writeU16(uint16_t(font.kerning.size()));
    for (const auto& [pair, adjust] : font.kerning) {
      font.wideCodes ? w.writeU16(pair.first) : w.writeU8(uint8_t(pair.first));
      font.wideCodes ? w.writeU16(pair.second) : w.writeU8(uint8_t(pair.second));
      w.writeU16(uint16_t(adjust));
    }
  }
  return {version == 2 ? kTagDefineFont2 : kTagDefineFont3, w.bytes()};
}

TagBody encodeDefineText(uint16_t id, const Rect& bounds, const Matrix& matrix, const std::vector<TextRecord>& records,
                       int version) {
  uint32_t maxIndex = 0;
  int32_t maxAdvance = 0;
  for (const TextRecord& r : records)
    for (const TextGlyph& g : r.glyphs) {
      maxIndex = std::max<uint32_t>(maxIndex, g.index);
      maxAdvance = std::max(maxAdvance, g.advance < 0 ? -g.advance : g.advance);
    }
  int glyphBits = std::max(1, bitsForUnsigned(maxIndex));
  int advanceBits = std::max(2, bitsForSigned(maxAdvance));
  BitWriter w;
  w.writeU16(id);
  w.writeBytes(encodeRect(bounds));
  w.writeBytes(encodeMatrix(matrix));
  w.writeU8(uint8_t(glyphBits));
  w.writeU8(uint8_t(advanceBits));
  for (const TextRecord& r : records) {
    w.writeUB(1, 1);
    w.writeUB(0, 3);
    w.writeUB(r.fontId.has_value(), 1);
    w.writeUB(r.color.has_value(), 1);
    w.writeUB(r.y.has_value(), 1);
    w.writeUB(r.x.has_value(), 1);
    if (r.fontId) w.writeU16(*r.fontId);
    if (r.color) {
      w.writeU8(r.color->r);
      w.writeU8(r.color->g);
      w.writeU8(r.color->b);
      if (version >= 2) w.writeU8(r.color->a);
    }
    if (r.x) w.writeU16(uint16_t(*r.x));
    if (r.y) w.writeU16(uint16_t(*r.y));
    if (r.fontId) w.writeU16(r.height);
    w.writeU8(uint8_t(r.glyphs.size()));
    for (const TextGlyph& g : r.glyphs) {
      w.writeUB(g.index, glyphBits);
      w.writeSB(g.advance, advanceBits);
    }
    w.align();
  }
  w.writeU8(0);
  return {version >= 2 ? kTagDefineText2 : kTagDefineText, w.bytes()};
}

TagBody encodeDefineEditText(const EditText& f) {
  BitWriter w;
  w.writeU16(f.id);
  w.writeBytes(encodeRect(f.bounds));
  for (bool flag : {f.text.has_value(), f.wordWrap, f.multiline, f.password, f.readOnly, f.color.has_value(),
                    f.maxLength.has_value(), f.fontId.has_value(), false, f.autoSize, f.align.has_value(), f.noSelect,
                    f.border, false, f.html, f.useOutlines})
    w.writeUB(flag, 1);
  if (f.fontId) {
    w.writeU16(*f.fontId);
    w.writeU16(f.height);
  }
  if (f.color) {
    w.writeU8(f.color->r);
    w.writeU8(f.color->g);
    w.writeU8(f.color->b);
    w.writeU8(f.color->a);
  }
  if (f.maxLength) w.writeU16(*f.maxLength);
  if (f.align) {
    w.writeU8(*f.align);
    w.writeU16(f.leftMargin);
    w.writeU16(f.rightMargin);
    w.writeU16(f.indent);
    w.writeU16(uint16_t(f.leading));
  }
  w.writeString(f.variable);
  if (f.text) w.writeString(*f.text);
  return {kTagDefineEditText, w.bytes()};
}

}  // namespace swf

#include "movie/format/font_parser.h"

#include <algorithm>

#include "movie/format/code_page.h"
#include "movie/format/parse_error.h"
#include "movie/format/shape_parser.h"

namespace movie::format {
namespace {

constexpr size_t kMaxGlyphs = 65535;

// Glyph shapes between consecutive offsets (relative to the table start); the last
// runs to `end`. Offsets that point backwards or past the end make the font unreadable.
bool readGlyphShapes(const uint8_t* table, size_t end, const std::vector<uint32_t>& offsets,
                     FontDef& font, std::string& error) {
  font.glyphs.resize(offsets.size());
  for (size_t i = 0; i < offsets.size(); ++i) {
    uint32_t from = offsets[i];
    uint32_t to = i + 1 < offsets.size() ? offsets[i + 1] : uint32_t(end);
    if (from > to || to > end) return fail(error, "A font's glyph offsets are out of order.");
    if (from == to) continue;  // an empty glyph (a space)
    if (!parseGlyphShape(table + from, to - from, font.glyphs[i].outline, error)) return false;
  }
  return true;
}

std::string readName(io::BitReader& r, int movieVersion) {
  size_t length = r.u8();
  std::string raw;
  for (size_t i = 0; i < length && !r.overrun(); ++i) raw += char(r.u8());
  while (!raw.empty() && raw.back() == '\0') raw.pop_back();  // some tools count the terminator
  return movieTextToUtf8(raw, movieVersion);
}

void readCodes(io::BitReader& r, FontDef& font, int movieVersion) {
  for (Glyph& g : font.glyphs)
    g.code = decodeGlyphCode(font.wideCodes ? r.u16() : r.u8(), font.wideCodes, font.shiftJis, movieVersion);
}

void readLayout(io::BitReader& r, FontDef& font, int movieVersion) {
  font.ascent = r.u16();
  font.descent = r.u16();
  font.leading = r.s16();
  // Advances are read unsigned, as players do: past 32767 a glyph moves far right, not left.
  for (Glyph& g : font.glyphs) g.advance = r.u16();
  for (Glyph& g : font.glyphs) g.bounds = readRect(r);
  int kerningCount = r.u16();
  for (int i = 0; i < kerningCount && !r.overrun(); ++i) {
    uint16_t a = font.wideCodes ? r.u16() : r.u8();
    uint16_t b = font.wideCodes ? r.u16() : r.u8();
    float adjust = r.s16();
    if (r.overrun()) break;
    font.kerning[{decodeGlyphCode(a, font.wideCodes, font.shiftJis, movieVersion),
                  decodeGlyphCode(b, font.wideCodes, font.shiftJis, movieVersion)}] = adjust;
  }
  font.hasLayout = true;
}

bool parseFont1(const uint8_t* body, size_t size, FontDef& font, std::string& error) {
  io::BitReader r(body, size);
  font.id = r.u16();
  if (r.overrun()) return fail(error, "A font tag is truncated.");
  const uint8_t* table = body + 2;
  size_t tableSize = size - 2;
  if (tableSize < 2) return true;  // a font without glyphs
  uint16_t first = r.u16();
  size_t count = first / 2;
  if (count == 0 || first > tableSize) return fail(error, "A font's glyph table is damaged.");
  std::vector<uint32_t> offsets{first};
  for (size_t i = 1; i < count; ++i) offsets.push_back(r.u16());
  return readGlyphShapes(table, tableSize, offsets, font, error);
}

bool parseFont23(const uint8_t* body, size_t size, int movieVersion, FontDef& font, std::string& error) {
  io::BitReader r(body, size);
  font.id = r.u16();
  bool hasLayout = r.ub(1);
  font.shiftJis = r.ub(1);
  font.smallText = r.ub(1);
  font.ansi = r.ub(1);
  bool wideOffsets = r.ub(1);
  font.wideCodes = r.ub(1);
  font.italic = r.ub(1);
  font.bold = r.ub(1);
  font.language = r.u8();
  font.name = readName(r, movieVersion);
  size_t count = r.u16();
  if (r.overrun()) return fail(error, "A font tag is truncated.");
  size_t tableStart = r.position();
  std::vector<uint32_t> offsets;
  for (size_t i = 0; i < count && !r.overrun(); ++i) offsets.push_back(wideOffsets ? r.u32() : r.u16());
  uint32_t codeTable = count || r.remaining() ? (wideOffsets ? r.u32() : r.u16()) : 0;
  if (r.overrun()) return fail(error, "A font's glyph table is truncated.");
  if (count == 0) return true;
  if (codeTable > size - tableStart) return fail(error, "A font's code table lies past its end.");
  if (!readGlyphShapes(body + tableStart, codeTable, offsets, font, error)) return false;
  io::BitReader codes(body + tableStart + codeTable, size - tableStart - codeTable);
  readCodes(codes, font, movieVersion);
  if (codes.overrun()) return fail(error, "A font's code table is truncated.");
  if (hasLayout) {
    readLayout(codes, font, movieVersion);
    if (codes.overrun()) font.hasLayout = !font.glyphs.empty() && font.glyphs.back().advance != 0;
  }
  return true;
}

}  // namespace

int FontDef::glyphIndex(char32_t code) const {
  for (size_t i = 0; i < glyphs.size(); ++i)
    if (glyphs[i].code == code) return int(i);
  return -1;
}

bool parseFont(const uint8_t* body, size_t size, int version, int movieVersion, FontDef& out,
               std::string& error) {
  out.tagVersion = version;
  out.unitsPerEm = version == 3 ? 20480.0f : 1024.0f;
  bool ok = version == 1 ? parseFont1(body, size, out, error) : parseFont23(body, size, movieVersion, out, error);
  if (ok && out.glyphs.size() > kMaxGlyphs) return fail(error, "A font has too many glyphs.");
  return ok;
}

uint16_t fontIdOf(const uint8_t* body, size_t size) {
  return size >= 2 ? uint16_t(body[0] | (body[1] << 8)) : 0;
}

bool applyFontInfo(const uint8_t* body, size_t size, int version, int movieVersion, FontDef& font,
                   std::string& error) {
  io::BitReader r(body, size);
  r.u16();
  font.name = readName(r, movieVersion);
  r.ub(2);
  font.smallText = r.ub(1);
  font.shiftJis = r.ub(1);
  font.ansi = r.ub(1);
  font.italic = r.ub(1);
  font.bold = r.ub(1);
  font.wideCodes = r.ub(1) || version == 2;
  if (version == 2) font.language = r.u8();
  readCodes(r, font, movieVersion);
  if (r.overrun()) return fail(error, "A font information tag is truncated.");
  return true;
}

bool applyFontName(const uint8_t* body, size_t size, FontDef& font, std::string& error) {
  io::BitReader r(body, size);
  r.u16();
  std::string name = r.string();
  if (r.overrun()) return fail(error, "A font name tag is truncated.");
  font.fullName = name;  // DefineFontName comes with version 9 files: UTF-8
  return true;
}

}  // namespace movie::format

#include "movie/format/text_parser.h"

#include "movie/format/code_page.h"
#include "movie/format/parse_error.h"

namespace movie::format {
namespace {

constexpr size_t kMaxTextGlyphs = 200'000;

}  // namespace

bool parseStaticText(const uint8_t* body, size_t size, int version, StaticTextDef& out, std::string& error) {
  io::BitReader r(body, size);
  out.id = r.u16();
  out.bounds = readRect(r);
  out.matrix = readMatrix(r);
  int glyphBits = r.u8();
  int advanceBits = r.u8();
  if (r.overrun()) return fail(error, "A text tag is truncated.");
  if (glyphBits > 32 || advanceBits > 32) return fail(error, "A text tag's field sizes are damaged.");
  TextRun style;  // font, colour, height and pen carry over from record to record
  float x = 0;
  size_t glyphs = 0;
  while (true) {
    r.align();
    uint8_t flags = r.u8();
    if (r.overrun()) return fail(error, "A text tag's records end early.");
    if (flags == 0) break;
    if (flags & 0x08) style.fontId = r.u16();
    if (flags & 0x04) style.color = version >= 2 ? readRgba(r) : readRgb(r);
    if (flags & 0x01) x = r.s16();
    if (flags & 0x02) style.y = r.s16();
    if (flags & 0x08) style.height = r.u16();
    int count = r.u8();
    TextRun run = style;
    for (int i = 0; i < count; ++i) {
      GlyphEntry g;
      g.index = uint16_t(r.ub(glyphBits));
      g.x = x;
      x += float(r.sb(advanceBits));
      run.glyphs.push_back(g);
    }
    if (r.overrun()) return fail(error, "A text tag's records end early.");
    glyphs += run.glyphs.size();
    if (glyphs > kMaxTextGlyphs) return fail(error, "A text tag has too many glyphs.");
    if (!run.glyphs.empty()) out.runs.push_back(std::move(run));
  }
  return true;
}

bool parseEditText(const uint8_t* body, size_t size, int movieVersion, EditTextDef& out, std::string& error) {
  io::BitReader r(body, size);
  out.id = r.u16();
  out.bounds = readRect(r);
  bool hasText = r.ub(1);
  out.wordWrap = r.ub(1);
  out.multiline = r.ub(1);
  out.password = r.ub(1);
  out.readOnly = r.ub(1);
  out.hasColor = r.ub(1);
  bool hasMaxLength = r.ub(1);
  out.hasFont = r.ub(1);
  bool hasFontClass = r.ub(1);
  out.autoSize = r.ub(1);
  out.hasLayout = r.ub(1);
  out.noSelect = r.ub(1);
  out.border = r.ub(1);
  out.wasStatic = r.ub(1);
  out.html = r.ub(1);
  out.useOutlines = r.ub(1);
  if (out.hasFont) out.fontId = r.u16();
  if (hasFontClass) out.fontClass = r.string();
  if (out.hasFont || hasFontClass) out.height = r.u16();
  if (out.hasColor) out.color = readRgba(r);
  if (hasMaxLength) out.maxLength = r.u16();
  if (out.hasLayout) {
    uint8_t align = r.u8();
    out.align = align <= 3 ? EditTextDef::Align(align) : EditTextDef::Left;
    out.leftMargin = r.u16();
    out.rightMargin = r.u16();
    out.indent = r.u16();
    out.leading = r.s16();
  }
  out.variableName = movieTextToUtf8(r.string(), movieVersion);
  if (hasText) out.initialText = decodeMovieText(r.string(), movieVersion);
  if (r.overrun()) return fail(error, "A text field tag is truncated.");
  return true;
}

}  // namespace movie::format

#include "movie/text/text_format.h"

namespace movie::text {
namespace {

template <typename T>
void keepIfEqual(std::optional<T>& mine, const std::optional<T>& theirs) {
  if (mine && (!theirs || !(*mine == *theirs))) mine.reset();
}

bool operator==(const render::Color& a, const render::Color& b) {
  return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

template <typename T>
void applyIf(const std::optional<T>& value, T& target) {
  if (value) target = *value;
}

}  // namespace

bool CharFormat::operator==(const CharFormat& o) const {
  return font == o.font && size == o.size && color == o.color && bold == o.bold && italic == o.italic &&
         underline == o.underline && url == o.url && target == o.target && letterSpacing == o.letterSpacing &&
         kerning == o.kerning;
}

TextFormat TextFormat::of(const Format& f) {
  TextFormat t;
  t.font = f.chars.font;
  t.size = f.chars.size;
  t.color = f.chars.color;
  t.bold = f.chars.bold;
  t.italic = f.chars.italic;
  t.underline = f.chars.underline;
  t.url = f.chars.url;
  t.target = f.chars.target;
  t.letterSpacing = f.chars.letterSpacing;
  t.kerning = f.chars.kerning;
  t.align = f.para.align;
  t.leftMargin = f.para.leftMargin;
  t.rightMargin = f.para.rightMargin;
  t.indent = f.para.indent;
  t.blockIndent = f.para.blockIndent;
  t.leading = f.para.leading;
  t.bullet = f.para.bullet;
  t.tabStops = f.para.tabStops;
  return t;
}

void TextFormat::intersect(const TextFormat& o) {
  keepIfEqual(font, o.font);
  keepIfEqual(url, o.url);
  keepIfEqual(target, o.target);
  keepIfEqual(size, o.size);
  keepIfEqual(leftMargin, o.leftMargin);
  keepIfEqual(rightMargin, o.rightMargin);
  keepIfEqual(indent, o.indent);
  keepIfEqual(blockIndent, o.blockIndent);
  keepIfEqual(leading, o.leading);
  keepIfEqual(letterSpacing, o.letterSpacing);
  if (color && (!o.color || !(*color == *o.color))) color.reset();
  keepIfEqual(bold, o.bold);
  keepIfEqual(italic, o.italic);
  keepIfEqual(underline, o.underline);
  keepIfEqual(bullet, o.bullet);
  keepIfEqual(kerning, o.kerning);
  keepIfEqual(align, o.align);
  keepIfEqual(tabStops, o.tabStops);
}

void TextFormat::applyTo(Format& f) const {
  applyIf(font, f.chars.font);
  applyIf(size, f.chars.size);
  applyIf(color, f.chars.color);
  applyIf(bold, f.chars.bold);
  applyIf(italic, f.chars.italic);
  applyIf(underline, f.chars.underline);
  applyIf(url, f.chars.url);
  applyIf(target, f.chars.target);
  applyIf(letterSpacing, f.chars.letterSpacing);
  applyIf(kerning, f.chars.kerning);
  applyIf(align, f.para.align);
  applyIf(leftMargin, f.para.leftMargin);
  applyIf(rightMargin, f.para.rightMargin);
  applyIf(indent, f.para.indent);
  applyIf(blockIndent, f.para.blockIndent);
  applyIf(leading, f.para.leading);
  applyIf(bullet, f.para.bullet);
  applyIf(tabStops, f.para.tabStops);
}

}  // namespace movie::text

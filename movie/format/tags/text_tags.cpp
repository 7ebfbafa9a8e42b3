// Fonts (DefineFont 1-3 and the font information that amends them), static text and
// text fields. A damaged tag defines nothing and leaves a warning.
#include "movie/format/font_parser.h"
#include "movie/format/tag_codes.h"
#include "movie/format/tags/handlers.h"
#include "movie/format/text_parser.h"

namespace movie::format {

void readDefineFont(const Tag& tag, TagContext& context) {
  auto font = std::make_shared<FontDef>();
  int version = tag.code == kDefineFont ? 1 : tag.code == kDefineFont2 ? 2 : 3;
  std::string why;
  if (!parseFont(tag.body, tag.size, version, context.build.movie().version, *font, why))
    return context.build.warn(why);
  Character c;
  c.kind = Character::Font;
  c.font = font;
  context.build.addCharacter(font->id, std::move(c));
}

// Font information changes a font already defined: the definition is copied so that
// text drawn with the old one keeps what it had.
void readFontInfo(const Tag& tag, TagContext& context) {
  MovieDef& movie = context.build.movie();
  auto it = movie.characters.find(fontIdOf(tag.body, tag.size));
  if (it == movie.characters.end() || it->second.kind != Character::Font || !it->second.font)
    return context.build.warn("Font information names no font.");
  auto font = std::make_shared<FontDef>(*it->second.font);
  std::string why;
  bool ok = tag.code == kDefineFontName
                ? applyFontName(tag.body, tag.size, *font, why)
                : applyFontInfo(tag.body, tag.size, tag.code == kDefineFontInfo ? 1 : 2, movie.version, *font, why);
  if (!ok) return context.build.warn(why);
  it->second.font = font;
}

void readDefineText(const Tag& tag, TagContext& context) {
  auto text = std::make_shared<StaticTextDef>();
  std::string why;
  if (!parseStaticText(tag.body, tag.size, tag.code == kDefineText ? 1 : 2, *text, why))
    return context.build.warn(why);
  Character c;
  c.kind = Character::StaticText;
  c.text = text;
  context.build.addCharacter(text->id, std::move(c));
}

void readDefineEditText(const Tag& tag, TagContext& context) {
  auto field = std::make_shared<EditTextDef>();
  std::string why;
  if (!parseEditText(tag.body, tag.size, context.build.movie().version, *field, why))
    return context.build.warn(why);
  Character c;
  c.kind = Character::EditText;
  c.editText = field;
  context.build.addCharacter(field->id, std::move(c));
}

}  // namespace movie::format

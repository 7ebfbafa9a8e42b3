#include "movie/format/text_tags.h"

#include "movie/format/font_parser.h"
#include "movie/format/tag_codes.h"
#include "movie/format/text_parser.h"

namespace movie::format {
namespace {

void define(MovieDef& movie, uint16_t id, Character c) {
  movie.characters.emplace(id, std::move(c));  // the first definition of an id wins
}

void readFont(uint16_t code, const uint8_t* body, size_t size, MovieDef& movie, std::string& warning) {
  auto font = std::make_shared<FontDef>();
  int version = code == kDefineFont ? 1 : code == kDefineFont2 ? 2 : 3;
  if (!parseFont(body, size, version, movie.version, *font, warning)) return;
  Character c;
  c.kind = Character::Font;
  c.font = font;
  define(movie, font->id, std::move(c));
}

// Font information changes a font already defined: the definition is copied so that
// text drawn with the old one keeps what it had.
void amendFont(uint16_t code, const uint8_t* body, size_t size, MovieDef& movie, std::string& warning) {
  auto it = movie.characters.find(fontIdOf(body, size));
  if (it == movie.characters.end() || it->second.kind != Character::Font || !it->second.font) {
    warning = "Font information names no font.";
    return;
  }
  auto font = std::make_shared<FontDef>(*it->second.font);
  bool ok = code == kDefineFontName ? applyFontName(body, size, *font, warning)
                                    : applyFontInfo(body, size, code == kDefineFontInfo ? 1 : 2, movie.version, *font, warning);
  if (ok) it->second.font = font;
}

}  // namespace

bool isTextTag(uint16_t code) {
  switch (code) {
    case kDefineFont:
    case kDefineFont2:
    case kDefineFont3:
    case kDefineFontInfo:
    case kDefineFontInfo2:
    case kDefineFontName:
    case kDefineText:
    case kDefineText2:
    case kDefineEditText:
      return true;
    default:
      return false;
  }
}

void readTextTag(uint16_t code, const uint8_t* body, size_t size, MovieDef& movie, std::string& warning) {
  switch (code) {
    case kDefineFont:
    case kDefineFont2:
    case kDefineFont3:
      return readFont(code, body, size, movie, warning);
    case kDefineFontInfo:
    case kDefineFontInfo2:
    case kDefineFontName:
      return amendFont(code, body, size, movie, warning);
    case kDefineText:
    case kDefineText2: {
      auto text = std::make_shared<StaticTextDef>();
      if (!parseStaticText(body, size, code == kDefineText ? 1 : 2, *text, warning)) return;
      Character c;
      c.kind = Character::StaticText;
      c.text = text;
      return define(movie, text->id, std::move(c));
    }
    case kDefineEditText: {
      auto field = std::make_shared<EditTextDef>();
      if (!parseEditText(body, size, movie.version, *field, warning)) return;
      Character c;
      c.kind = Character::EditText;
      c.editText = field;
      return define(movie, field->id, std::move(c));
    }
    default:
      return;
  }
}

}  // namespace movie::format

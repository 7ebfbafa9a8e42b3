#pragma once
// DefineFont 1-3, DefineFontInfo 1-2 and DefineFontName bodies into font definitions.
#include <cstddef>
#include <cstdint>
#include <string>

#include "movie/format/font.h"

namespace movie::format {

// version 1..3 (DefineFont, DefineFont2, DefineFont3); movieVersion decides how names
// and codes are decoded. false with a reason when the record is unreadable.
bool parseFont(const uint8_t* body, size_t size, int version, int movieVersion, FontDef& out,
               std::string& error);

// The font id a DefineFontInfo / DefineFontName body refers to (0 when too short).
uint16_t fontIdOf(const uint8_t* body, size_t size);
// Adds name, style flags and glyph codes to a DefineFont font (version 1 or 2 info).
bool applyFontInfo(const uint8_t* body, size_t size, int version, int movieVersion, FontDef& font,
                   std::string& error);
// Sets the font's full name from DefineFontName.
bool applyFontName(const uint8_t* body, size_t size, FontDef& font, std::string& error);

}  // namespace movie::format

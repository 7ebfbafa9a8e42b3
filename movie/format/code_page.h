#pragma once
// Text in movie files: UTF-8 from file version 6 on; before that the code page of the
// system that made the movie, which for these lessons is GBK (Chinese Windows). Bytes
// that are not GBK fall back to Windows-1252 so Western movies keep their accents.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace movie::format {

std::u32string decodeMovieText(std::string_view bytes, int movieVersion);
// The same, as UTF-8 (for names that the engine compares as strings).
std::string movieTextToUtf8(std::string_view bytes, int movieVersion);
// A two-byte (or one-byte) glyph code of a font before version 6 to a code point.
char32_t decodeGlyphCode(uint16_t code, bool wideCodes, bool shiftJis, int movieVersion);

}  // namespace movie::format

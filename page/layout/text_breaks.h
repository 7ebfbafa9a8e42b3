#pragma once
// Where lines may break: between words, and between characters of CJK text.
namespace page {

// Ideographs, kana, hangul and full-width forms: each one is a place a line may break.
inline bool isCjk(char32_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF);
}

// Closing punctuation that must not start a line.
inline bool noBreakBefore(char32_t c) {
  switch (c) {
    case 0x3001: case 0x3002: case 0xFF0C: case 0xFF0E: case 0xFF1A: case 0xFF1B: case 0xFF1F:
    case 0xFF01: case 0xFF09: case 0x300D: case 0x300F: case 0x3011: case 0x300B: case 0x201D:
    case 0x2019: case ',': case '.': case ';': case ':': case '!': case '?': case ')':
      return true;
    default:
      return false;
  }
}

}  // namespace page

#include "movie/format/code_page.h"

#include "textcodec/gbk.h"
#include "textcodec/utf8.h"

namespace movie::format {
namespace {

// Windows-1252 at 0x80-0x9F (the rest of the upper half is Latin-1).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char32_t cp1252(uint8_t b) { return b >= 0x80 && b < 0xA0 ? char32_t(kCp1252High[b - 0x80]) : char32_t(b); }

}  // namespace

std::u32string decodeMovieText(std::string_view bytes, int movieVersion) {
  if (movieVersion >= 6) return textcodec::utf8ToUtf32(bytes);
  std::u32string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    uint8_t b = uint8_t(bytes[i]);
    char32_t c = 0;
    if (b >= 0x81 && b <= 0xFE && i + 1 < bytes.size()) c = textcodec::gbkToUnicode(b, uint8_t(bytes[i + 1]));
    if (c) {
      out += c;
      ++i;
    } else {
      out += cp1252(b);
    }
  }
  return out;
}

std::string movieTextToUtf8(std::string_view bytes, int movieVersion) {
  if (movieVersion >= 6) return std::string(bytes);
  return textcodec::toUtf8(decodeMovieText(bytes, movieVersion));
}

char32_t decodeGlyphCode(uint16_t code, bool wideCodes, bool shiftJis, int movieVersion) {
  if (movieVersion >= 6 && wideCodes) return code;  // UCS-2
  if (code < 0x80) return code;
  if (code <= 0xFF) return cp1252(uint8_t(code));
  if (shiftJis) return code;  // no Shift-JIS table: the code stands for itself
  char32_t c = textcodec::gbkToUnicode(uint8_t(code >> 8), uint8_t(code & 0xFF));
  return c ? c : char32_t(0xFFFD);
}

}  // namespace movie::format

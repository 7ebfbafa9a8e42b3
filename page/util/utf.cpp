// UTF-8/16/32 conversions. Malformed input becomes U+FFFD; nothing throws.
#include "page/page.h"
#include "page/util/utf.h"

namespace page {

std::u32string utf8ToUtf32(std::string_view utf8) { return textcodec::utf8ToUtf32(utf8); }

std::u16string toUtf16(std::u32string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x10000) {
      out += char16_t(c);
    } else {
      c -= 0x10000;
      out += char16_t(0xD800 + (c >> 10));
      out += char16_t(0xDC00 + (c & 0x3FF));
    }
  }
  return out;
}

std::u16string utf8ToUtf16(std::string_view utf8) { return toUtf16(utf8ToUtf32(utf8)); }

std::string utf16ToUtf8(std::u16string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    }
    appendUtf8(out, c);
  }
  return out;
}

int TextMeasurer::widthUtf8(const FontSpec& font, std::string_view utf8) {
  return width(font, utf8ToUtf32(utf8));
}

}  // namespace page

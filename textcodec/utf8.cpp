// UTF-8 conversions. Malformed input becomes U+FFFD; nothing throws.
#include "textcodec/utf8.h"

namespace textcodec {

void appendUtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

std::string toUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) appendUtf8(out, c);
  return out;
}

std::u32string utf8ToUtf32(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char b = s[i];
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) { out += U'\uFFFD'; ++i; continue; }
    char32_t c = len == 1 ? b : b & (0x3F >> (len - 1));
    bool ok = true;
    for (int k = 1; k < len; ++k) {
      unsigned char t = s[i + k];
      if ((t & 0xC0) != 0x80) { ok = false; break; }
      c = (c << 6) | (t & 0x3F);
    }
    static const char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (!ok || c < kMin[len] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out += U'\uFFFD';
      ++i;
      continue;
    }
    out += c;
    i += len;
  }
  return out;
}

}  // namespace textcodec

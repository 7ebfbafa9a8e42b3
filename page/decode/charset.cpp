// Character set selection and decoding.
#include "page/decode/charset.h"

#include <algorithm>
#include <cctype>

#include "page/util/strings.h"
#include "page/util/utf.h"
#include "textcodec/gbk.h"
#include "textcodec/utf8.h"

namespace page {

std::optional<Charset> charsetFromName(std::string_view name) {
  std::string n = lowerAscii(trim(name));
  while (!n.empty() && (n.back() == '"' || n.back() == '\'' || n.back() == ';')) n.pop_back();
  while (!n.empty() && (n.front() == '"' || n.front() == '\'')) n.erase(n.begin());
  if (n == "utf-8" || n == "utf8") return Charset::Utf8;
  if (n == "gbk" || n == "gb2312" || n == "gb_2312-80" || n == "gb18030" || n == "cp936" ||
      n == "x-gbk" || n == "euc-cn" || n == "windows-936" || n == "chinese")
    return Charset::Gbk;
  if (n == "us-ascii" || n == "ascii" || n == "iso-8859-1" || n == "latin1" || n == "windows-1252" ||
      n == "iso8859-1")
    return Charset::Latin1;
  return std::nullopt;
}

// Finds "charset=" in s and names the set that follows it.
static std::optional<Charset> charsetParam(std::string_view s) {
  std::string lower = lowerAscii(s);
  size_t at = lower.find("charset");
  while (at != std::string::npos) {
    size_t p = at + 7;
    while (p < lower.size() && isSpace(char32_t(lower[p]))) ++p;
    if (p < lower.size() && lower[p] == '=') {
      ++p;
      while (p < lower.size() && (isSpace(char32_t(lower[p])) || lower[p] == '"' || lower[p] == '\'')) ++p;
      size_t end = p;
      while (end < lower.size() && (std::isalnum(static_cast<unsigned char>(lower[end])) || lower[end] == '-' ||
                                    lower[end] == '_'))
        ++end;
      return charsetFromName(std::string_view(lower).substr(p, end - p));
    }
    at = lower.find("charset", at + 7);
  }
  return std::nullopt;
}

std::optional<Charset> charsetFromContentType(std::string_view contentType) {
  return charsetParam(contentType);
}

std::optional<Charset> charsetFromMeta(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), std::min<size_t>(size, 4096));
  std::string lower = lowerAscii(text);
  size_t at = 0;
  while ((at = lower.find("<meta", at)) != std::string::npos) {
    size_t end = lower.find('>', at);
    if (end == std::string::npos) end = lower.size();
    if (auto cs = charsetParam(std::string_view(lower).substr(at, end - at))) return cs;
    at = end;
  }
  return std::nullopt;
}

Charset selectCharset(std::string_view contentType, const uint8_t* data, size_t size) {
  if (auto cs = charsetFromContentType(contentType)) return *cs;
  if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) return Charset::Utf8;
  if (auto cs = charsetFromMeta(data, size)) return *cs;
  return Charset::Gbk;
}

std::u32string decodeText(const uint8_t* data, size_t size, Charset charset) {
  if (charset == Charset::Utf8) {
    size_t skip = (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) ? 3 : 0;
    return textcodec::utf8ToUtf32(std::string_view(reinterpret_cast<const char*>(data) + skip, size - skip));
  }
  if (charset == Charset::Latin1) return std::u32string(data, data + size);
  return textcodec::decodeGbk(data, size);
}

}  // namespace page

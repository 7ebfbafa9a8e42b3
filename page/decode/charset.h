#pragma once
// Picks a page's character set and decodes its bytes to UTF-32.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace page {

enum class Charset { Utf8, Gbk, Latin1 };  // Latin1 also stands for plain ASCII

std::optional<Charset> charsetFromName(std::string_view name);
// "text/html; charset=gb2312" -> Gbk; nothing when the header names no known set.
std::optional<Charset> charsetFromContentType(std::string_view contentType);
// Looks for <meta charset=...> or <meta http-equiv content="...charset=..."> near the
// start of the page (the first 4 KB, as pages put it in the head).
std::optional<Charset> charsetFromMeta(const uint8_t* data, size_t size);
// The HTTP header wins, then a UTF-8 byte order mark, then the meta tag, else GBK (the
// content server's pages are Chinese).
Charset selectCharset(std::string_view contentType, const uint8_t* data, size_t size);

std::u32string decodeText(const uint8_t* data, size_t size, Charset charset);

}  // namespace page

#pragma once
// GBK (code page 936) to Unicode, shared by the page and movie engines.
#include <cstddef>
#include <cstdint>
#include <string>

namespace textcodec {

// One two-byte code to its code point, 0 when unmapped.
char32_t gbkToUnicode(uint8_t lead, uint8_t trail);
// A whole GBK string; bytes that form no character become U+FFFD.
std::u32string decodeGbk(const uint8_t* data, size_t size);

}  // namespace textcodec

#pragma once
// UTF-8 to and from code points. Malformed input becomes U+FFFD; nothing throws.
#include <string>
#include <string_view>

namespace textcodec {

void appendUtf8(std::string& out, char32_t c);
std::string toUtf8(std::u32string_view text);
std::u32string utf8ToUtf32(std::string_view utf8);

}  // namespace textcodec

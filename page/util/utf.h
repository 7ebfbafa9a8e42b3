#pragma once
// Internal UTF helpers (the public ones are declared in page.h).
#include <string>
#include <string_view>

namespace page {
void appendUtf8(std::string& out, char32_t c);
std::string toUtf8(std::u32string_view text);
std::u32string utf8ToUtf32(std::string_view utf8);
}  // namespace page

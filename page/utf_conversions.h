#pragma once
#include <string>
#include <string_view>

namespace page {

// UTF conversions the host needs at its edges (wide strings for the platform's calls).
std::u16string toUtf16(std::u32string_view text);
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view text);
std::u32string utf8ToUtf32(std::string_view utf8);

}  // namespace page

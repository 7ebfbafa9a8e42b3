#pragma once
// The case-insensitive comparison of wide member and setting names. (Texts cross to wide
// strings with ui::widen and ui::narrow, which name code page 936 explicitly.)
#include <string>
#include <string_view>

namespace hosts::com {

// Whether two names are equal ignoring case (member names, setting names).
bool sameName(std::wstring_view a, std::wstring_view b);

}  // namespace hosts::com

#pragma once
// Conversions at the edge between the program's GBK texts and the wide strings of the
// platform's component services. Code page 936 is named explicitly, so the result does
// not depend on the system's ANSI code page. Also the case-insensitive comparison of
// wide names.
#include <string>
#include <string_view>

namespace hosts::com {

std::wstring gbkToWide(std::string_view gbk);
std::string wideToGbk(std::wstring_view wide);

// Whether two names are equal ignoring case (member names, setting names).
bool sameName(std::wstring_view a, std::wstring_view b);

}  // namespace hosts::com

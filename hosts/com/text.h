#pragma once
// Conversions at the edge between the program's GBK texts and the wide strings of the
// platform's component services. Code page 936 is named explicitly, so the result does
// not depend on the system's ANSI code page.
#include <string>
#include <string_view>

namespace hosts::com {

std::wstring gbkToWide(std::string_view gbk);
std::string wideToGbk(std::wstring_view wide);

}  // namespace hosts::com

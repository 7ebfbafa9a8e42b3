// Text conversion at the Win32 boundary. The program keeps its texts (captions,
// names, font face names) as 8-bit GBK (code page 936) and always calls the
// wide Win32 functions, so the texts show right whatever the ANSI code page is.
#pragma once
#include <string>

namespace ui {

// GBK (code page 936) to UTF-16. Invalid bytes become U+FFFD-like defaults of the system.
std::wstring widen(const std::string& gbk);
// UTF-16 to GBK; characters GBK lacks become '?'.
std::string narrow(const std::wstring& wide);
// UTF-8 <-> GBK, used by the form description reader and writer.
std::string utf8ToGbk(const std::string& utf8);
std::string gbkToUtf8(const std::string& gbk);
// UTF-8 <-> UTF-16, for the portable engines, whose texts are UTF-8.
std::wstring fromUtf8(const std::string& utf8);
std::string toUtf8(const std::wstring& wide);

}  // namespace ui

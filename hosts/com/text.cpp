#include "hosts/com/text.h"

#include <windows.h>

#include <cwctype>

namespace hosts::com {

namespace {
constexpr UINT kGbk = 936;
}

std::wstring gbkToWide(std::string_view gbk) {
  if (gbk.empty()) return {};
  int n = MultiByteToWideChar(kGbk, 0, gbk.data(), int(gbk.size()), nullptr, 0);
  std::wstring out(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(kGbk, 0, gbk.data(), int(gbk.size()), out.data(), n);
  return out;
}

std::string wideToGbk(std::wstring_view wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(kGbk, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(kGbk, 0, wide.data(), int(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

bool sameName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

}  // namespace hosts::com

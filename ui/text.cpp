#include "ui/text.h"

#include <windows.h>

namespace ui {
namespace {

std::wstring toWide(UINT codePage, const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string fromWide(UINT codePage, const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

constexpr UINT kGbk = 936;

}  // namespace

std::wstring widen(const std::string& gbk) { return toWide(kGbk, gbk); }
std::string narrow(const std::wstring& wide) { return fromWide(kGbk, wide); }
std::string utf8ToGbk(const std::string& utf8) { return narrow(toWide(CP_UTF8, utf8)); }
std::string gbkToUtf8(const std::string& gbk) { return fromWide(CP_UTF8, widen(gbk)); }
std::wstring fromUtf8(const std::string& utf8) { return toWide(CP_UTF8, utf8); }
std::string toUtf8(const std::wstring& wide) { return fromWide(CP_UTF8, wide); }

}  // namespace ui

#include "hosts/com/errors.h"

#include <cstdio>

#include "hosts/com/text.h"
#include "ui/error.h"
#include "ui/text.h"

namespace hosts::com {

std::string memberNotSupportedText(std::wstring_view name) {
  return "Method '" + ui::narrow(std::wstring(name)) + "' not supported by automation object";
}

std::string invalidVariantText() { return "Invalid variant operation"; }

std::string systemText(HRESULT hr) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, DWORD(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (n && buffer) text.assign(buffer, n);
  if (buffer) LocalFree(buffer);
  // The system ends its messages with a line break.
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  return ui::narrow(text);
}

std::string failureText(HRESULT hr, const EXCEPINFO* info) {
  if (info) {
    BSTR description = info->bstrDescription;
    EXCEPINFO filled{};
    if (!description && info->pfnDeferredFillIn) {
      // A component may defer filling the record to a callback; the copy it fills is ours.
      filled = *info;
      if (SUCCEEDED(filled.pfnDeferredFillIn(&filled))) description = filled.bstrDescription;
    }
    std::string text;
    if (description && SysStringLen(description) > 0)
      text = ui::narrow(std::wstring(description, SysStringLen(description)));
    if (filled.pfnDeferredFillIn) {
      SysFreeString(filled.bstrSource);
      SysFreeString(filled.bstrDescription);
      SysFreeString(filled.bstrHelpFile);
    }
    if (!text.empty()) return text;
  }
  std::string text = systemText(hr);
  if (!text.empty()) return text;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "OLE error %.8lx", static_cast<unsigned long>(hr));
  return buffer;
}

void throwMemberNotSupported(std::wstring_view name) { throw ui::Error(memberNotSupportedText(name)); }
void throwInvalidVariant() { throw ui::Error(invalidVariantText()); }
void throwFailure(HRESULT hr, const EXCEPINFO* info) { throw ui::Error(failureText(hr, info)); }

}  // namespace hosts::com

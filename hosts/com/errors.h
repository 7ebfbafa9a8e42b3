#pragma once
// The error texts of automation calls, as the program reports them (GBK, in ui::Error):
//   a member name the object lacks  -> "Method '<name>' not supported by automation object"
//   an empty result where an object was needed -> "Invalid variant operation"
//   a failed call -> the component's own description (EXCEPINFO), else the system's text
//   for the result code (FormatMessageW), else "OLE error XXXXXXXX".
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <string_view>

namespace hosts::com {

std::string memberNotSupportedText(std::wstring_view name);
std::string invalidVariantText();
// The system's message for a result code, trailing line breaks and full stop kept as the
// system gives them minus the line breaks; empty when the system has none.
std::string systemText(HRESULT hr);
// The text for a failed call: description from info (when given and not empty), else
// systemText(hr), else "OLE error %.8x".
std::string failureText(HRESULT hr, const EXCEPINFO* info = nullptr);

// Throw ui::Error with the texts above.
[[noreturn]] void throwMemberNotSupported(std::wstring_view name);
[[noreturn]] void throwInvalidVariant();
[[noreturn]] void throwFailure(HRESULT hr, const EXCEPINFO* info = nullptr);
// Throws when FAILED(hr).
inline void check(HRESULT hr) {
  if (FAILED(hr)) throwFailure(hr);
}

}  // namespace hosts::com

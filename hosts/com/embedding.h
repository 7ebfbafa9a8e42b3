#pragma once
// The embedding interface of the program's built-in components: what a host control
// needs beyond IDispatch. The host makes the component's window inside its own, keeps
// its bounds, hands it an event sink and the stored start settings.
#include <windows.h>
#include <unknwn.h>
#include <oaidl.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hosts::com {

// Stored start settings, name -> value, in stored order ("Loop" -> "True").
class PropertyBag {
 public:
  void set(std::wstring name, std::wstring value);  // replaces a value of the same name
  // The value stored under name (case-insensitive), or nullptr.
  const std::wstring* find(std::wstring_view name) const;
  std::wstring text(std::wstring_view name, std::wstring_view fallback = L"") const;
  // "True"/"False" (any case, also "-1"/"0"); fallback when absent or unreadable.
  bool flag(std::wstring_view name, bool fallback) const;
  const std::vector<std::pair<std::wstring, std::wstring>>& items() const { return items_; }

 private:
  std::vector<std::pair<std::wstring, std::wstring>> items_;
};

// {5C2A8F31-7E44-4B0B-9D1E-6A0F3B7C2E90}
inline constexpr IID IID_IEmbeddedComponent = {
    0x5c2a8f31, 0x7e44, 0x4b0b, {0x9d, 0x1e, 0x6a, 0x0f, 0x3b, 0x7c, 0x2e, 0x90}};

struct IEmbeddedComponent : public IUnknown {
  // Makes the component's child window inside parent (once; a second call answers the
  // existing window). window may be nullptr.
  virtual HRESULT STDMETHODCALLTYPE CreateComponentWindow(HWND parent, HWND* window) = 0;
  // Destroys the component's window; the object stays usable and may be shown again.
  virtual HRESULT STDMETHODCALLTYPE DestroyComponentWindow() = 0;
  // Position and size in the parent's client coordinates.
  virtual HRESULT STDMETHODCALLTYPE SetBounds(const RECT* bounds) = 0;
  // The sink receives events through Invoke(dispatch id, DISPATCH_METHOD, arguments);
  // nullptr unadvises. The component holds a reference until unadvised or destroyed.
  virtual HRESULT STDMETHODCALLTYPE Advise(IDispatch* sink) = 0;
  // Start settings; may come before or after the window is made.
  virtual HRESULT STDMETHODCALLTYPE LoadSettings(const PropertyBag* settings) = 0;
};

}  // namespace hosts::com

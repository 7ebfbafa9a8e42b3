#include "hosts/com/builtin_component.h"

#include "hosts/com/dispatch.h"

namespace hosts::com {

BuiltinComponent::~BuiltinComponent() {
  if (window_) DestroyWindow(window_);
}

HRESULT STDMETHODCALLTYPE BuiltinComponent::QueryInterface(REFIID iid, void** out) {
  if (out && IsEqualIID(iid, IID_IEmbeddedComponent)) {
    *out = static_cast<IEmbeddedComponent*>(this);
    AddRef();
    return S_OK;
  }
  return DispatchObject::QueryInterface(iid, out);
}

ULONG STDMETHODCALLTYPE BuiltinComponent::AddRef() { return DispatchObject::AddRef(); }
ULONG STDMETHODCALLTYPE BuiltinComponent::Release() { return DispatchObject::Release(); }

HRESULT STDMETHODCALLTYPE BuiltinComponent::CreateComponentWindow(HWND parent, HWND* window) {
  if (window) *window = nullptr;
  if (!window_) {
    if (!parent || !IsWindow(parent)) return E_INVALIDARG;
    window_ = createWindow(parent, bounds_);
    if (!window_ && window) return S_FALSE;  // a component without a window of its own
  }
  if (window) *window = window_;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE BuiltinComponent::DestroyComponentWindow() {
  if (window_) {
    windowDestroying();
    HWND w = window_;
    window_ = nullptr;
    DestroyWindow(w);
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE BuiltinComponent::SetBounds(const RECT* bounds) {
  if (!bounds) return E_POINTER;
  bounds_ = *bounds;
  if (window_)
    SetWindowPos(window_, nullptr, bounds_.left, bounds_.top, bounds_.right - bounds_.left,
                 bounds_.bottom - bounds_.top, SWP_NOZORDER | SWP_NOACTIVATE);
  boundsChanged(bounds_);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE BuiltinComponent::Advise(IDispatch* sink) {
  sink_ = Ptr<IDispatch>(sink);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE BuiltinComponent::LoadSettings(const PropertyBag* settings) {
  if (!settings) return E_POINTER;
  for (const auto& [name, value] : settings->items()) settings_.set(name, value);
  settingsLoaded();
  return S_OK;
}

void BuiltinComponent::fire(DISPID id, const std::vector<Variant>& args) {
  // The sink may unadvise while handling; hold it for the call.
  Ptr<IDispatch> sink = sink_;
  if (!sink) return;
  std::vector<VARIANT> reversed;
  for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(it->get());
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, UINT(reversed.size()), 0};
  EXCEPINFO info{};
  sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, &info, nullptr);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
}

}  // namespace hosts::com

#pragma once
// Base of the program's built-in components: the automation member table of
// DispatchObject plus the embedding interface, an event sink and the child window's
// place. A derived component makes its window in createWindow() and raises events with
// fire().
#include "hosts/com/dispatch_object.h"
#include "hosts/com/embedding.h"
#include "hosts/com/ptr.h"

namespace hosts::com {

class BuiltinComponent : public DispatchObject, public IEmbeddedComponent {
 public:
  // IUnknown, shared by both interfaces
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IEmbeddedComponent
  HRESULT STDMETHODCALLTYPE CreateComponentWindow(HWND parent, HWND* window) override;
  HRESULT STDMETHODCALLTYPE DestroyComponentWindow() override;
  HRESULT STDMETHODCALLTYPE SetBounds(const RECT* bounds) override;
  HRESULT STDMETHODCALLTYPE Advise(IDispatch* sink) override;
  HRESULT STDMETHODCALLTYPE LoadSettings(const PropertyBag* settings) override;

  HWND window() const { return window_; }
  const PropertyBag& settings() const { return settings_; }
  IDispatch* sink() const { return sink_.get(); }

 protected:
  BuiltinComponent() = default;
  ~BuiltinComponent() override;

  // Makes the child window (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS) in parent at
  // bounds; returns nullptr on failure. The default makes none (for doubles).
  virtual HWND createWindow(HWND parent, const RECT& bounds) { return nullptr; }
  // Called after the window is moved or resized, and after settings are loaded.
  virtual void boundsChanged(const RECT& bounds) {}
  virtual void settingsLoaded() {}
  // Called before the window is destroyed.
  virtual void windowDestroying() {}

  // Raises an event: Invoke(id, DISPATCH_METHOD) on the sink with args first-to-last.
  // Without a sink nothing happens; the sink's failure is ignored.
  void fire(DISPID id, const std::vector<Variant>& args = {});
  // The window was destroyed from outside (its parent went away): forget it.
  void windowGone() { window_ = nullptr; }

  RECT bounds_{0, 0, 0, 0};

 private:
  HWND window_ = nullptr;
  Ptr<IDispatch> sink_;
  PropertyBag settings_;
};

}  // namespace hosts::com

#pragma once
// TWebBrowser: the host control of the web page component, a ComponentHost (the
// component made from its class identifier, its window inside the control's). It
// passes on its stored start settings as its window is made, and turns the
// component's document-complete event (259) into its own OnDocumentComplete.
#include <windows.h>
#include <oaidl.h>

#include <string>

#include "hosts/com/component_host.h"
#include "hosts/com/embedding.h"
#include "ui/win_control.h"

namespace hosts::web {

// sender, the completed window's automation object, its address.
using DocumentCompleteEvent =
    ui::Event<void(ui::Component* sender, IDispatch* window, const std::wstring& url)>;

class TWebBrowser : public hosts::com::ComponentHost {
 public:
  explicit TWebBrowser(ui::Component* owner);
  static const ui::ClassInfo& staticClassInfo();
  const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

  // Loads a page: Navigate with the address as a wide string and the four optional
  // arguments (flags, target frame, post data, headers) omitted. Failures throw ui::Error.
  void Navigate(const std::wstring& url);
  // The component's top-level automation object, for late-bound calls.
  IDispatch* application() const { return dispatch(); }

  // Stored start settings (the component's persisted state): extent and start address.
  int extentX() const { return extentX_; }
  void setExtentX(int v) { extentX_ = v; }
  int extentY() const { return extentY_; }
  void setExtentY(int v) { extentY_ = v; }
  const std::string& locationUrl() const { return locationUrl_; }  // GBK as stored
  void setLocationUrl(const std::string& v) { locationUrl_ = v; }

  DocumentCompleteEvent onDocumentComplete;

 protected:
  hosts::com::PropertyBag startSettings() const override;

 private:
  int extentX_ = 0, extentY_ = 0;
  std::string locationUrl_;
};

// Registers TWebBrowser with the framework's class registry (for form descriptions).
void registerWebBrowserControl();

}  // namespace hosts::web

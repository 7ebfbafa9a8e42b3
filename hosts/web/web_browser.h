#pragma once
// TWebBrowser: the host control of the web page component. It makes the component
// from its class identifier through the program's class registry (a class identifier no
// built-in class answers fails, so the form that holds it cannot be made), puts the
// component's window inside its own, passes on its stored start settings and its
// bounds, and turns the component's document-complete event (259) into its own
// OnDocumentComplete.
#include <windows.h>
#include <oaidl.h>

#include <string>

#include "hosts/com/embedding.h"
#include "hosts/com/event_sink.h"
#include "hosts/com/ptr.h"
#include "ui/control.h"

namespace hosts::web {

// sender, the completed window's automation object, its address.
using DocumentCompleteEvent =
    ui::Event<void(ui::Component* sender, IDispatch* window, const std::wstring& url)>;

class TWebBrowser : public ui::WinControl {
 public:
  explicit TWebBrowser(ui::Component* owner);
  ~TWebBrowser() override;
  static const ui::ClassInfo& staticClassInfo();
  const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

  // Loads a page: Navigate with the address as a wide string and the four optional
  // arguments (flags, target frame, post data, headers) omitted. Failures throw ui::Error.
  void Navigate(const std::wstring& url);
  // The component's top-level automation object, for late-bound calls.
  IDispatch* application() const { return dispatch_.get(); }

  // Stored start settings (the component's persisted state): extent and start address.
  int extentX() const { return extentX_; }
  void setExtentX(int v) { extentX_ = v; }
  int extentY() const { return extentY_; }
  void setExtentY(int v) { extentY_ = v; }
  const std::string& locationUrl() const { return locationUrl_; }  // GBK as stored
  void setLocationUrl(const std::string& v) { locationUrl_ = v; }

  DocumentCompleteEvent onDocumentComplete;

  LRESULT wndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  void createParams(ui::CreateParams& params) override;
  void initializeWindow() override;
  void destroyWnd() override;

 private:
  void placeComponent();

  hosts::com::Ptr<IDispatch> dispatch_;
  hosts::com::Ptr<hosts::com::IEmbeddedComponent> embedding_;
  hosts::com::Ptr<hosts::com::EventSink> sink_;
  int extentX_ = 0, extentY_ = 0;
  std::string locationUrl_;
};

// Registers TWebBrowser with the framework's class registry (for form descriptions).
void registerWebBrowserControl();

}  // namespace hosts::web

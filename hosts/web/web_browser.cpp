#include "hosts/web/web_browser.h"

#include "hosts/com/class_ids.h"
#include "hosts/com/dispatch.h"
#include "hosts/com/registry.h"
#include "hosts/com/text.h"
#include "hosts/web/web_component.h"
#include "ui/stream.h"

namespace hosts::web {

TWebBrowser::TWebBrowser(ui::Component* owner) : ui::WinControl(owner) {
  com::Ptr<IUnknown> object = com::createInstance(com::kWebPageClsid);
  dispatch_ = object.query<IDispatch>(IID_IDispatch);
  embedding_ = object.query<com::IEmbeddedComponent>(com::IID_IEmbeddedComponent);
  if (!dispatch_ || !embedding_) com::throwFailure(E_NOINTERFACE);
  sink_ = com::make<com::EventSink>();
  sink_->on(kDispDocumentComplete, [this](const com::DispArgs& a) {
    IDispatch* window = a.size() >= 1 && a[0].vt == VT_DISPATCH ? a[0].pdispVal : nullptr;
    std::wstring url;
    if (a.size() >= 2) {
      const VARIANT& v = a[1];
      const VARIANT* inner = v.vt == (VT_VARIANT | VT_BYREF) ? v.pvarVal : &v;
      if (inner && inner->vt == VT_BSTR && inner->bstrVal) url = inner->bstrVal;
    }
    ui::dispatchEvent([&] { onDocumentComplete(this, window, url); });
  });
  embedding_->Advise(sink_.get());
  tabStop_ = false;
}

TWebBrowser::~TWebBrowser() {
  if (embedding_) {
    embedding_->Advise(nullptr);
    embedding_->DestroyComponentWindow();
  }
}

const ui::ClassInfo& TWebBrowser::staticClassInfo() {
  static ui::ClassInfo info = [] {
    ui::ClassInfo i("TWebBrowser", &ui::WinControl::staticClassInfo(), &ui::makeComponent<TWebBrowser>);
    i.prop(ui::prop::integer<TWebBrowser, int>("ExtentX", 0, &TWebBrowser::extentX, &TWebBrowser::setExtentX));
    i.prop(ui::prop::integer<TWebBrowser, int>("ExtentY", 0, &TWebBrowser::extentY, &TWebBrowser::setExtentY));
    i.prop(ui::prop::string<TWebBrowser>("LocationURL", "", &TWebBrowser::locationUrl,
                                         &TWebBrowser::setLocationUrl));
    i.prop(ui::prop::event<TWebBrowser>("OnDocumentComplete", &TWebBrowser::onDocumentComplete));
    return i;
  }();
  return info;
}

void registerWebBrowserControl() { ui::registerClass(TWebBrowser::staticClassInfo()); }

void TWebBrowser::Navigate(const std::wstring& url) {
  com::call(dispatch_.get(), kDispNavigate,
            {com::Variant(std::wstring_view(url)), com::Variant::omitted(), com::Variant::omitted(),
             com::Variant::omitted(), com::Variant::omitted()});
}

void TWebBrowser::createParams(ui::CreateParams& params) {
  ui::WinControl::createParams(params);
  params.style |= WS_CLIPCHILDREN;
}

void TWebBrowser::initializeWindow() {
  ui::WinControl::initializeWindow();
  com::PropertyBag settings;
  settings.set(L"ExtentX", std::to_wstring(extentX_));
  settings.set(L"ExtentY", std::to_wstring(extentY_));
  settings.set(L"LocationURL", com::gbkToWide(locationUrl_));
  embedding_->LoadSettings(&settings);
  HWND child = nullptr;
  com::check(embedding_->CreateComponentWindow(hwnd_, &child));
  placeComponent();
}

void TWebBrowser::destroyWnd() {
  if (embedding_) embedding_->DestroyComponentWindow();
  ui::WinControl::destroyWnd();
}

void TWebBrowser::placeComponent() {
  if (!hwnd_ || !embedding_) return;
  RECT r;
  GetClientRect(hwnd_, &r);
  embedding_->SetBounds(&r);
}

LRESULT TWebBrowser::wndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_ERASEBKGND) return 1;  // the component's window covers the client area
  LRESULT r = ui::WinControl::wndProc(msg, w, l);
  if (msg == WM_SIZE) placeComponent();
  return r;
}

}  // namespace hosts::web

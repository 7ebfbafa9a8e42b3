#include "hosts/web/web_browser.h"

#include "hosts/com/class_ids.h"
#include "hosts/com/dispatch.h"
#include "hosts/com/text.h"
#include "hosts/web/web_component.h"
#include "ui/stream.h"
#include "ui/text.h"

namespace hosts::web {

TWebBrowser::TWebBrowser(ui::Component* owner) : com::ComponentHost(owner, com::kWebPageClsid) {
  onEvent(kDispDocumentComplete, [this](const com::DispArgs& a) {
    IDispatch* window = a.size() >= 1 && a[0].vt == VT_DISPATCH ? a[0].pdispVal : nullptr;
    std::wstring url;
    if (a.size() >= 2) {
      const VARIANT& v = a[1];
      const VARIANT* inner = v.vt == (VT_VARIANT | VT_BYREF) ? v.pvarVal : &v;
      if (inner && inner->vt == VT_BSTR && inner->bstrVal) url = inner->bstrVal;
    }
    ui::dispatchEvent([&] { onDocumentComplete(this, window, url); });
  });
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
  com::call(dispatch(), kDispNavigate,
            {com::Variant(std::wstring_view(url)), com::Variant::omitted(), com::Variant::omitted(),
             com::Variant::omitted(), com::Variant::omitted()});
}

com::PropertyBag TWebBrowser::startSettings() const {
  com::PropertyBag settings;
  settings.set(L"ExtentX", std::to_wstring(extentX_));
  settings.set(L"ExtentY", std::to_wstring(extentY_));
  settings.set(L"LocationURL", ui::widen(locationUrl_));
  return settings;
}

}  // namespace hosts::web

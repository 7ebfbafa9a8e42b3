#include "hosts/web/web_component.h"

#include "hosts/com/builtin_component.h"
#include "hosts/com/class_ids.h"
#include "hosts/com/registry.h"
#include "hosts/web/page_view.h"
#include "hosts/web/script_dispatch.h"
#include "ui/text.h"

namespace hosts::web {

namespace {

// Lets objects handed out to the host (the document, the body) reach the view while it
// exists, and do nothing once it is gone.
struct ViewLink {
  PageView* view = nullptr;
};

class WebPageComponent final : public com::BuiltinComponent {
 public:
  explicit WebPageComponent(WebPageOptions options)
      : options_(std::move(options)), link_(std::make_shared<ViewLink>()) {
    addMethod(L"Navigate", kDispNavigate, [this](const com::DispArgs& a) {
      navigate(ui::toUtf8(a.string(0)));  // flags, target frame, post data, headers: unused
      return com::Variant();
    });
    addMethod(L"Refresh", kDispRefresh, [this](const com::DispArgs&) {
      if (link_->view) link_->view->refresh();
      return com::Variant();
    });
    addProperty(L"Document", kDispDocument, [this] { return document(); });
    addProperty(L"LocationURL", kDispLocationUrl, [this] {
      return com::Variant(std::wstring_view(ui::fromUtf8(url_)));
    });
    addProperty(L"Busy", kDispBusy, [this] { return com::Variant(link_->view && link_->view->busy()); });
  }

  ~WebPageComponent() override { dropView(); }

 protected:
  HWND createWindow(HWND parent, const RECT& bounds) override {
    PageView::Callbacks cb;
    cb.documentComplete = [this](const page::Completion& c) { documentComplete(c); };
    cb.openLink = options_.openLink;
    view_ = std::make_unique<PageView>(parent, bounds, std::move(cb));
    link_->view = view_.get();
    if (!url_.empty()) view_->navigate(url_);
    return view_->hwnd();
  }
  void boundsChanged(const RECT& bounds) override {
    if (view_) view_->setBounds(bounds);
  }
  void windowDestroying() override { dropView(); }
  // A stored start address loads like a Navigate; the usual empty one leaves it blank.
  void settingsLoaded() override {
    std::wstring start = settings().text(L"LocationURL");
    if (!start.empty() && url_.empty()) navigate(ui::toUtf8(start));
  }

 private:
  void dropView() {
    link_->view = nullptr;
    view_.reset();
  }

  void navigate(std::string url) {
    url_ = std::move(url);
    if (view_) view_->navigate(url_);  // else when the window is made
  }

  com::Variant document() {
    if (!view_) return com::Variant();
    page::CallResult r = view_->automation()->get("Document");
    if (!r.ok) return com::Variant();
    std::shared_ptr<ViewLink> link = link_;
    return toVariant(r.value, [link] {
      if (link->view) link->view->pageChanged();
    });
  }

  void documentComplete(const page::Completion& c) {
    // The event may make the host release us; stay alive until it returns.
    com::Ptr<IDispatch> self(static_cast<IDispatch*>(this));
    fire(kDispDocumentComplete, {com::Variant(static_cast<IDispatch*>(this)),
                                 com::Variant(std::wstring_view(ui::fromUtf8(c.url)))});
  }

  WebPageOptions options_;
  std::shared_ptr<ViewLink> link_;
  std::unique_ptr<PageView> view_;
  std::string url_;
};

}  // namespace

com::Ptr<IUnknown> makeWebPageComponent(WebPageOptions options) {
  auto* c = new WebPageComponent(std::move(options));
  return com::Ptr<IUnknown>::adopt(static_cast<IDispatch*>(c));
}

void registerWebPageClass(WebPageOptions options) {
  com::registerClass(com::kWebPageClsid, [options] { return makeWebPageComponent(options); });
}

}  // namespace hosts::web

#include "hosts/com/component_host.h"

#include <utility>

#include "hosts/com/errors.h"
#include "hosts/com/registry.h"

namespace hosts::com {

ComponentHost::ComponentHost(ui::Component* owner, const CLSID& clsid) : ui::WinControl(owner) {
  Ptr<IUnknown> object = createInstance(clsid);
  dispatch_ = object.query<IDispatch>(IID_IDispatch);
  embedding_ = object.query<IEmbeddedComponent>(IID_IEmbeddedComponent);
  if (!dispatch_ || !embedding_) throwFailure(E_NOINTERFACE);
  sink_ = make<EventSink>();
  embedding_->Advise(sink_.get());
  tabStop_ = false;
}

ComponentHost::~ComponentHost() {
  if (embedding_) {
    embedding_->Advise(nullptr);
    embedding_->DestroyComponentWindow();
  }
}

void ComponentHost::onEvent(DISPID id, EventSink::Handler handler) { sink_->on(id, std::move(handler)); }

HRESULT ComponentHost::loadSettings() {
  PropertyBag bag = startSettings();
  return embedding_->LoadSettings(&bag);
}

void ComponentHost::sendStartSettings() { loadSettings(); }

void ComponentHost::createParams(ui::CreateParams& params) {
  ui::WinControl::createParams(params);
  params.style |= WS_CLIPCHILDREN;
}

void ComponentHost::initializeWindow() {
  ui::WinControl::initializeWindow();
  sendStartSettings();
  HWND child = nullptr;
  check(embedding_->CreateComponentWindow(hwnd_, &child));
  placeComponent();
}

void ComponentHost::destroyWnd() {
  if (embedding_) embedding_->DestroyComponentWindow();
  ui::WinControl::destroyWnd();
}

void ComponentHost::placeComponent() {
  if (!hwnd_ || !embedding_) return;
  RECT r;
  GetClientRect(hwnd_, &r);
  embedding_->SetBounds(&r);
}

LRESULT ComponentHost::wndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_ERASEBKGND) return 1;  // the component's window covers the client area
  LRESULT r = ui::WinControl::wndProc(msg, w, l);
  if (msg == WM_SIZE) placeComponent();
  return r;
}

}  // namespace hosts::com

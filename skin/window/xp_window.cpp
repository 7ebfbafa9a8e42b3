#include "skin/window/xp_window.h"

#include "ui/win_control.h"
#include "ui/window_subclass.h"

namespace {

const std::vector<std::string> kWindowStyleNames = {"xwsCustom", "xwsXPBlue", "xwsXPSilver",
                                              "xwsXPOlive", "xwsMSN",   "xwsICQ"};

// A settings object property: edited in place; a whole object given to it is assigned.
template <class S>
ui::PropInfo SettingsProperty(const char* name, S& (TxpWindow::*get)()) {
  return ui::prop::object<TxpWindow, S>(name, get);
}

// The form that holds the owner: the owner itself or the nearest form up its parents.
ui::Form* FindHostForm(ui::Component* owner) {
  if (!owner) return nullptr;
  auto* control = dynamic_cast<ui::WinControl*>(owner);
  if (!control) throw ui::Error("Invalid class typecast: the frame skin's owner " + owner->name() +
                                " is not a windowed control");
  for (ui::WinControl* c = control; c; c = c->parent())
    if (auto* form = dynamic_cast<ui::Form*>(c)) return form;
  return nullptr;
}

}  // namespace

// The procedure put in front of the form's window; the framework keeps it in front
// when the form's window is made again.
class TxpWindow::FormHook : public ui::WindowSubclass {
 public:
  explicit FormHook(TxpWindow& owner) : owner_(owner) {}
  LRESULT Previous(UINT msg, WPARAM w, LPARAM l) { return callPrevious(msg, w, l); }

 protected:
  LRESULT windowProc(UINT msg, WPARAM w, LPARAM l) override { return owner_.FormWindowProc(msg, w, l); }
  // A new window has the system caption and no region: give it the skin's frame again.
  void windowRecreated() override { owner_.ReapplyFrame(); }

 private:
  TxpWindow& owner_;
};

const ui::ClassInfo& TxpWindow::staticClassInfo() {
  using T = TxpWindow;
  static const ui::ClassInfo info =
      ui::ClassInfo("TxpWindow", &ui::Component::staticClassInfo(), ui::makeComponent<TxpWindow>)
          .prop(ui::prop::boolean<T>("Active", false, &T::Active, &T::SetActive))
          .prop(SettingsProperty("SizeInfo", &T::SizeInfo))
          .prop(SettingsProperty("StickWindow", &T::StickWindow))
          .prop(SettingsProperty("xpCaption", &T::xpCaption))
          .prop(SettingsProperty("WinBackground", &T::WinBackground))
          .prop(ui::prop::alwaysStored(
              ui::prop::enumeration<T, TxpWindowStyle>("Style", kWindowStyleNames, xwsCustom, &T::Style, &T::SetStyle)))
          .prop(ui::prop::event("OnCustomButtonDraw", &T::OnCustomButtonDraw))
          .prop(ui::prop::event("OnCustomButtonClick", &T::OnCustomButtonClick))
          .prop(ui::prop::event("OnCustomDrawTitle", &T::OnCustomDrawTitle))
          .prop(ui::prop::event("OnCustomSysBtnDraw", &T::OnCustomSysBtnDraw))
          .prop(ui::prop::event("OnCustomBorderDraw", &T::OnCustomBorderDraw));
  return info;
}

TxpWindow::TxpWindow(ui::Component* owner) : ui::Component(owner) {
  hostForm_ = FindHostForm(owner);
  if (hostForm_) {
    HWND wnd = hostForm_->handle();
    hadCaption_ = (GetWindowLongW(wnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    hostForm_->vertScrollBar().setVisible(false);
    hostForm_->horzScrollBar().setVisible(false);
  }
  formHook_ = std::make_unique<FormHook>(*this);
  sizeInfo_ = std::make_unique<TWindowSizeInfo>();
  stickWindow_ = std::make_unique<TStickWindow>();
  xpCaption_ = std::make_unique<TxpCaption>(*this);
  winBackground_ = std::make_unique<TxpWindowBackground>(*this);
}

TxpWindow::~TxpWindow() {
  // Each settings object goes in its own guard, so one failing does not keep the rest.
  auto release = [](auto& owned) {
    try {
      owned.reset();
    } catch (...) {
    }
  };
  release(sizeInfo_);
  release(stickWindow_);
  release(xpCaption_);
  release(winBackground_);
  // The form destroys its window before its components, so the hook has ended with it.
  release(formHook_);
}

WNDPROC TxpWindow::OldWindowProc() const { return formHook_->window() ? formHook_->previousProc() : nullptr; }

void TxpWindow::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  if (v) {
    HookWindow();
    if (xpCaption_->Active()) {
      const TxpWindowStyle saved = style_;
      xpCaption_->SetActiveField(false);
      xpCaption_->SetActive(true);
      SetStyle(saved);
    }
  } else {
    UnhookWindow();
    RestoreSystemCaption(hadCaption_);
  }
  RefreshFrame();
}

void TxpWindow::HookWindow() {
  if (!hostForm_ || formHook_->control()) return;
  formHook_->attach(*hostForm_);
  // The framework's forms have no MDI client window, so there is no second procedure
  // to put in place and OldClientProc stays empty.
}

void TxpWindow::UnhookWindow() {
  if (!hostForm_) return;
  formHook_->detach();
  oldClientProc_ = nullptr;
}

void TxpWindow::ReapplyFrame() {
  if (active_ && xpCaption_->Active()) xpCaption_->ApplyActivation();
}

void TxpWindow::SetStyle(TxpWindowStyle v) {
  if (v == style_) return;
  xpCaption_->ApplyStyle(v);
  style_ = v;
}

void TxpWindow::RefreshFrame() {
  if (!hostForm_ || !hostForm_->handleAllocated()) return;
  HWND wnd = hostForm_->handle();
  SendMessageW(wnd, WM_NCPAINT, 0, 0);
  InvalidateRect(wnd, nullptr, TRUE);
  UpdateWindow(wnd);
}

void TxpWindow::ApplyFrameRegion(TRoundedCorners corners) {
  if (!hostForm_ || !hostForm_->handleAllocated()) return;
  SetWindowRgn(hostForm_->handle(), CreateFrameRegion(corners), TRUE);
}

void TxpWindow::RemoveFrameRegion() {
  if (hostForm_ && hostForm_->handleAllocated()) SetWindowRgn(hostForm_->handle(), nullptr, TRUE);
}

void TxpWindow::RestoreSystemCaption(bool withCaption) {
  if (!hostForm_ || !hostForm_->handleAllocated()) return;
  HWND wnd = hostForm_->handle();
  LONG style = GetWindowLongW(wnd, GWL_STYLE);
  style = withCaption ? (style | WS_CAPTION) : (style & ~WS_CAPTION);
  SetWindowLongW(wnd, GWL_STYLE, style);
  SetWindowRgn(wnd, nullptr, TRUE);
  SetWindowRgn(wnd, nullptr, TRUE);
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TxpWindow::loaded() {
  ui::Component::loaded();
  if (active_) {
    active_ = false;
    SetActive(true);
  }
  if (sizeInfo_->UseSystemSettings()) sizeInfo_->SetUseSystemSettings(true);
  if (active_ && xpCaption_->Active() && xpCaption_->RoundedCorners() != 0)
    ApplyFrameRegion(xpCaption_->RoundedCorners());
  RefreshFrame();
}

LRESULT TxpWindow::CallOld(UINT msg, WPARAM w, LPARAM l) { return formHook_->Previous(msg, w, l); }

LRESULT TxpWindow::FormWindowProc(UINT msg, WPARAM w, LPARAM l) {
  if (!hostForm_) return CallOld(msg, w, l);
  switch (msg) {
    case WM_SIZE:
      if (xpCaption_->Active()) ApplyFrameRegion(xpCaption_->RoundedCorners());
      if (winBackground_->Active() && (winBackground_->Style() == wbgGradient || winBackground_->Style() == wbgStretched))
        InvalidateRect(hostForm_->handle(), nullptr, TRUE);
      break;
    case WM_ERASEBKGND:
      if (winBackground_->Active()) return winBackground_->PaintBackground(w);
      break;
    case WM_GETMINMAXINFO:
      if (sizeInfo_->Active()) {
        sizeInfo_->FillMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(l));
        return 0;
      }
      break;
    case WM_WINDOWPOSCHANGING:
      if (stickWindow_->Active()) {
        stickWindow_->SnapToWorkArea(*reinterpret_cast<WINDOWPOS*>(l));
        return 0;
      }
      break;
    case WM_NCCALCSIZE:
      if (xpCaption_->Active()) return xpCaption_->CalcClientArea(l);
      break;
    case WM_NCHITTEST:
      if (xpCaption_->Active()) return xpCaption_->HitTestFrame(l);
      break;
    case WM_NCPAINT:
      if (xpCaption_->Active()) {
        xpCaption_->PaintFrame();
        return 0;
      }
      break;
    case WM_NCLBUTTONDOWN:
      if (xpCaption_->Active() && xpCaption_->CaptionMouseDown(w, l)) return 0;
      break;
    case WM_NCLBUTTONUP:
      if (xpCaption_->Active() && xpCaption_->CaptionMouseUp(w, l)) return 0;
      break;
    case WM_NCACTIVATE:
      if (hostForm_->formStyle() == ui::FormStyle::MDIChild) CallOld(msg, w, l);
      xpCaption_->SetWindowActive(w != 0);
      if (xpCaption_->Active()) {
        RefreshFrame();
        return w == 0 ? 1 : 0;
      }
      break;
    default:
      break;
  }
  return CallOld(msg, w, l);
}

LRESULT TxpWindow::ClientWindowProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_ERASEBKGND && winBackground_->Active()) return winBackground_->PaintBackground(w);
  // The framework's forms have no MDI client window, so nothing was saved to pass on to.
  return oldClientProc_ ? CallWindowProcW(oldClientProc_, nullptr, msg, w, l) : 0;
}

#include <windowsx.h>

#include <algorithm>

#include "ui/application.h"
#include "ui/win_control.h"
#include "ui/text.h"
#include "ui/window_subclass.h"

namespace ui {

namespace {

const wchar_t kPropName[] = L"ui.WinControl";
const wchar_t kWindowClass[] = L"UiWindow";

void registerWindowClass(const std::wstring& name, UINT style) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &wc)) return;
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = &WinControl::initialWndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = nullptr;  // the control's Cursor decides (WM_SETCURSOR)
  wc.hbrBackground = nullptr;
  wc.lpszClassName = name.c_str();
  if (!RegisterClassExW(&wc)) throw Error("Cannot register the window class " + narrow(name));
}

int shiftState(WPARAM keys) {
  int s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

int keyShift() {
  int s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

}  // namespace

void reportCurrentException() { application().handleException(std::current_exception()); }

const ClassInfo& WinControl::staticClassInfo() {
  static const ClassInfo info =
      ClassInfo("TWinControl", &Control::staticClassInfo())
          .prop(prop::boolean<WinControl>("Ctl3D", true, &WinControl::ctl3D, &WinControl::setCtl3D))
          .prop(prop::boolean<WinControl>("ParentCtl3D", true, &WinControl::parentCtl3D,
                                          &WinControl::setParentCtl3D))
          .prop(prop::boolean<WinControl>("TabStop", false, &WinControl::tabStop, &WinControl::setTabStop))
          .prop(prop::integer<WinControl, int>("TabOrder", -1, &WinControl::tabOrder, &WinControl::setTabOrder))
          .prop(prop::event("OnEnter", &WinControl::onEnter))
          .prop(prop::event("OnExit", &WinControl::onExit))
          .prop(prop::event("OnKeyDown", &WinControl::onKeyDown))
          .prop(prop::event("OnKeyUp", &WinControl::onKeyUp));
  return info;
}

WinControl::WinControl(Component* owner) : Control(owner) {}

WinControl::~WinControl() {
  destroyHandle();
  for (WindowSubclass* s : std::vector<WindowSubclass*>(subclasses_)) s->controlGone();
  subclasses_.clear();
  // Children outlive their parent only when owned elsewhere: they just lose it.
  for (Control* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  if (hfont_) DeleteObject(hfont_);
}

WinControl* WinControl::fromHandle(HWND wnd) {
  return wnd ? static_cast<WinControl*>(GetPropW(wnd, kPropName)) : nullptr;
}

HWND WinControl::handle() {
  if (!hwnd_) createWnd();
  return hwnd_;
}

void WinControl::createParams(CreateParams& p) {
  p.className = kWindowClass;
  p.caption = widen(caption_);
  p.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (visible_) p.style |= WS_VISIBLE;
  if (!enabled_) p.style |= WS_DISABLED;
  if (tabStop_) p.style |= WS_TABSTOP;
  if (borderStyle_ == BorderStyle::Single) {
    if (ctl3D_)
      p.exStyle |= WS_EX_CLIENTEDGE;
    else
      p.style |= WS_BORDER;
  }
  p.x = left_;
  p.y = top_;
  p.width = width_;
  p.height = height_;
  if (parent_) p.parent = parent_->handle();
}

void WinControl::createWnd() {
  CreateParams p;
  createParams(p);
  if (!hwnd_) createWindowHandle(p);
  if (!hwnd_) throw Error("Cannot make the window of " + (name().empty() ? className() : name()));
  std::vector<WindowSubclass*> again;
  for (WindowSubclass* s : subclasses_)
    if (s->install(hwnd_)) again.push_back(s);
  initializeWindow();
  for (WindowSubclass* s : again)
    if (std::find(subclasses_.begin(), subclasses_.end(), s) != subclasses_.end()) s->windowRecreated();
}

void WinControl::createWindowHandle(const CreateParams& p) {
  application();  // initialises the common controls
  if (!p.systemClass) registerWindowClass(p.className, p.classStyle);
  HWND wnd = CreateWindowExW(p.exStyle, p.className.c_str(), p.caption.c_str(), p.style, p.x, p.y, p.width,
                             p.height, p.parent, p.menu, GetModuleHandleW(nullptr), this);
  if (!wnd) return;
  if (p.systemClass) {
    // A system class: put the framework's procedure in front of the class procedure.
    hwnd_ = wnd;
    SetPropW(wnd, kPropName, this);
    defWndProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WinControl::initialWndProc)));
  }
}

void WinControl::initializeWindow() {
  applyWindowFont();
  // Children made before the window get theirs now, in child order.
  for (Control* c : controls_)
    if (auto* w = dynamic_cast<WinControl*>(c)) w->handle();
  realign();
}

void WinControl::applyWindowFont() {
  if (!hwnd_) return;
  HFONT f = font_->createHandle();
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
  if (hfont_) DeleteObject(hfont_);
  hfont_ = f;
}

void WinControl::destroyWnd() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void WinControl::destroyHandle() {
  if (!hwnd_) return;
  destroyWnd();
  if (hwnd_) {  // WM_NCDESTROY normally clears it
    RemovePropW(hwnd_, kPropName);
    hwnd_ = nullptr;
  }
}

bool WinControl::recreating() const {
  for (const WinControl* c = this; c; c = c->parent_)
    if (c->recreating_) return true;
  return false;
}

void WinControl::recreateWnd() {
  if (!hwnd_) return;
  recreating_ = true;
  destroyHandle();
  recreating_ = false;
  handle();
}

LRESULT CALLBACK WinControl::initialWndProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  WinControl* ctl = fromHandle(wnd);
  if (!ctl && msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(l);
    ctl = static_cast<WinControl*>(cs->lpCreateParams);
    if (ctl) {
      ctl->hwnd_ = wnd;
      SetPropW(wnd, kPropName, ctl);
    }
  }
  if (!ctl) return DefWindowProcW(wnd, msg, w, l);
  LRESULT result = 0;
  try {
    result = ctl->wndProc(msg, w, l);
  } catch (...) {
    reportCurrentException();
    result = ctl->defaultHandler(msg, w, l);
  }
  if (msg == WM_NCDESTROY) {
    for (WindowSubclass* s : ctl->subclasses_)
      if (s->window() == wnd) s->windowGone();
    RemovePropW(wnd, kPropName);
    if (ctl->hwnd_ == wnd) ctl->hwnd_ = nullptr;
    ctl->defWndProc_ = nullptr;
    ctl->mouseInside_ = false;
  }
  return result;
}

LRESULT WinControl::defaultHandler(UINT msg, WPARAM w, LPARAM l) {
  if (!hwnd_) return 0;
  if (defWndProc_) return CallWindowProcW(defWndProc_, hwnd_, msg, w, l);
  return DefWindowProcW(hwnd_, msg, w, l);
}

void WinControl::paint(Canvas&) {}

void WinControl::mouseTrack() {
  if (mouseInside_ || !hwnd_) return;
  mouseInside_ = true;
  TRACKMOUSEEVENT t{};
  t.cbSize = sizeof t;
  t.dwFlags = TME_LEAVE;
  t.hwndTrack = hwnd_;
  TrackMouseEvent(&t);
  SendMessageW(hwnd_, CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
}

bool WinControl::eraseBackground(HDC dc) {
  if (defWndProc_ || color_ == clNone) return false;
  RECT r;
  GetClientRect(hwnd_, &r);
  HBRUSH b = CreateSolidBrush(colorToRGB(color_));
  FillRect(dc, &r, b);
  DeleteObject(b);
  return true;
}

bool WinControl::paintWindow() {
  if (!ownPaint()) return false;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  {
    Canvas canvas(dc);
    canvas.font.assign(*font_);
    paint(canvas);
  }
  EndPaint(hwnd_, &ps);
  return true;
}

void WinControl::sized() {
  realign();
  WinControl* self = this;
  dispatchEvent([self] { self->onResize(self); });
}

void WinControl::positionChanged(const WINDOWPOS& pos) {
  if ((pos.flags & SWP_NOSIZE) && (pos.flags & SWP_NOMOVE)) return;
  RECT r;
  GetWindowRect(hwnd_, &r);
  if (HWND p = GetParent(hwnd_); p && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
  setBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool WinControl::setCursorFor(WPARAM w, LPARAM l) {
  if (reinterpret_cast<HWND>(w) != hwnd_ || LOWORD(l) != HTCLIENT) return false;
  if (cursor_ == crDefault && defWndProc_) return false;
  SetCursor(cursorHandle(cursor_ == crDefault ? crArrow : cursor_));
  return true;
}

void WinControl::mouseMoved(WPARAM w, LPARAM l) {
  mouseTrack();
  WinControl* self = this;
  int x = GET_X_LPARAM(l), y = GET_Y_LPARAM(l), s = shiftState(w);
  dispatchEvent([=] { self->onMouseMove(self, s, x, y); });
}

void WinControl::mouseLeft() {
  mouseInside_ = false;
  SendMessageW(hwnd_, CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
}

void WinControl::mousePressed(UINT msg, WPARAM w, LPARAM l) {
  MouseButton b = msg == WM_RBUTTONDOWN ? mbRight : msg == WM_MBUTTONDOWN ? mbMiddle : mbLeft;
  WinControl* self = this;
  int x = GET_X_LPARAM(l), y = GET_Y_LPARAM(l), s = shiftState(w) | (msg == WM_LBUTTONDBLCLK ? ssDouble : 0);
  if (msg == WM_LBUTTONDBLCLK) dispatchEvent([self] { self->onDblClick(self); });
  dispatchEvent([=] { self->onMouseDown(self, b, s, x, y); });
  if (!defWndProc_ && msg == WM_LBUTTONDOWN) {
    clickDown_ = true;
    SetCapture(hwnd_);
  }
}

void WinControl::mouseReleased(UINT msg, WPARAM w, LPARAM l) {
  MouseButton b = msg == WM_RBUTTONUP ? mbRight : msg == WM_MBUTTONUP ? mbMiddle : mbLeft;
  WinControl* self = this;
  int x = GET_X_LPARAM(l), y = GET_Y_LPARAM(l), s = shiftState(w);
  if (msg == WM_LBUTTONUP && clickDown_) {
    clickDown_ = false;
    if (GetCapture() == hwnd_) ReleaseCapture();
    RECT r;
    GetClientRect(hwnd_, &r);
    if (PtInRect(&r, POINT{x, y})) click();
  }
  dispatchEvent([=] { self->onMouseUp(self, b, s, x, y); });
}

void WinControl::focusGained() {
  WinControl* self = this;
  dispatchEvent([self] { self->onEnter(self); });
  // Every control of the window hears which control has the focus now.
  WinControl* top = this;
  while (top->parent_) top = top->parent_;
  top->broadcast(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
}

void WinControl::focusLost() {
  if (hwnd_) SendMessageW(hwnd_, CM_EXIT, 0, 0);
  WinControl* self = this;
  dispatchEvent([self] { self->onExit(self); });
}

WORD WinControl::keyEvent(UINT msg, WPARAM w) {
  WORD key = static_cast<WORD>(w);
  int s = keyShift();
  WinControl* self = this;
  if (msg == WM_KEYDOWN)
    dispatchEvent([&] { self->onKeyDown(self, key, s); });
  else
    dispatchEvent([&] { self->onKeyUp(self, key, s); });
  return key;
}

WinControl* WinControl::notifyingChild(UINT msg, LPARAM l) const {
  HWND from = msg == WM_NOTIFY ? reinterpret_cast<NMHDR*>(l)->hwndFrom : reinterpret_cast<HWND>(l);
  WinControl* child = from ? fromHandle(from) : nullptr;
  return child != this ? child : nullptr;
}

LRESULT WinControl::wndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_ERASEBKGND:
      if (eraseBackground(reinterpret_cast<HDC>(w))) return 1;
      break;
    case WM_PAINT:
      if (paintWindow()) return 0;
      break;
    case WM_SIZE: {
      LRESULT r = defaultHandler(msg, w, l);
      sized();
      return r;
    }
    case WM_WINDOWPOSCHANGED:
      positionChanged(*reinterpret_cast<WINDOWPOS*>(l));
      break;
    case WM_SETCURSOR:
      if (setCursorFor(w, l)) return TRUE;
      break;
    case WM_MOUSEMOVE:
      mouseMoved(w, l);
      break;
    case WM_MOUSELEAVE:
      mouseLeft();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      mousePressed(msg, w, l);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      mouseReleased(msg, w, l);
      break;
    case WM_SETFOCUS:
      focusGained();
      break;
    case WM_KILLFOCUS: {
      LRESULT r = defaultHandler(msg, w, l);
      focusLost();
      return r;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
      w = keyEvent(msg, w);  // a handler may change the key or swallow it (0)
      if (w == 0) return 0;
      break;
    case WM_NOTIFY:
    case WM_COMMAND:
      if (WinControl* child = notifyingChild(msg, l)) return child->wndProc(CN_BASE + msg, w, l);
      break;
    case CM_INVALIDATE:
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    default:
      break;
  }
  if (msg >= CM_BASE && msg < CN_BASE) return 0;  // framework messages end here
  if (msg >= CN_BASE && msg < CN_BASE + 0x400) return 0;
  return defaultHandler(msg, w, l);
}

// ----- children -----

void WinControl::insertControl(Control* c) {
  controls_.push_back(c);
  c->parent_ = this;
  if (c->parentFont_) c->setParentFont(true);
  if (c->parentColor_) c->setParentColor(true);
  if (auto* w = dynamic_cast<WinControl*>(c)) {
    if (w->parentCtl3D_) w->ctl3D_ = ctl3D_;
    if (hwnd_) w->handle();
  }
  realign();
}

void WinControl::removeControl(Control* c) {
  auto it = std::find(controls_.begin(), controls_.end(), c);
  if (it == controls_.end()) return;
  controls_.erase(it);
  if (auto* w = dynamic_cast<WinControl*>(c); w && w->handleAllocated() && !destroying()) w->destroyHandle();
  c->parent_ = nullptr;
  if (!destroying()) realign();
}

bool WinControl::containsControl(const Control* c) const {
  for (; c; c = c->parent_)
    if (c == this) return true;
  return false;
}

// ----- state -----

void WinControl::setBounds(int l, int t, int w, int h) {
  if (l == left_ && t == top_ && w == width_ && h == height_) return;
  setBoundsFields(l, t, w, h);
  if (hwnd_) SetWindowPos(hwnd_, nullptr, l, t, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
  boundsChanged();
  if (!hwnd_) realign();  // with a window, WM_SIZE realigns
  if (parent_ && align_ != Align::None && !parent_->aligning_) {
    parent_->alignPriority_ = this;
    parent_->realign();
  }
}

RECT WinControl::clientRect() const {
  RECT r{0, 0, width_, height_};
  if (hwnd_) {
    GetClientRect(hwnd_, &r);
    return r;
  }
  if (borderStyle_ == BorderStyle::Single) {
    int e = ctl3D_ ? 2 : 1;
    r = RECT{0, 0, std::max(0, width_ - 2 * e), std::max(0, height_ - 2 * e)};
  }
  return r;
}

void WinControl::setVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  if (hwnd_) ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
  if (parent_) parent_->realign();
}

void WinControl::setEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  if (hwnd_) {
    EnableWindow(hwnd_, v);
    SendMessageW(hwnd_, CM_ENABLEDCHANGED, v ? 1 : 0, 0);
  }
}

void WinControl::invalidate() {
  if (hwnd_) SendMessageW(hwnd_, CM_INVALIDATE, 0, 0);
}

void WinControl::setCtl3D(bool v) {
  parentCtl3D_ = false;
  if (v == ctl3D_) return;
  ctl3D_ = v;
  if (hwnd_) {
    // The border changes in place, so procedures others put in front of the window stay.
    LONG ex = GetWindowLongW(hwnd_, GWL_EXSTYLE), st = GetWindowLongW(hwnd_, GWL_STYLE);
    if (borderStyle_ == BorderStyle::Single) {
      if (v) {
        ex |= WS_EX_CLIENTEDGE;
        st &= ~WS_BORDER;
      } else {
        ex &= ~WS_EX_CLIENTEDGE;
        st |= WS_BORDER;
      }
      SetWindowLongW(hwnd_, GWL_STYLE, st);
      SetWindowLongW(hwnd_, GWL_EXSTYLE, ex);
      SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    SendMessageW(hwnd_, CM_CTL3DCHANGED, 0, 0);
  }
  for (Control* c : controls_)
    if (auto* w = dynamic_cast<WinControl*>(c); w && w->parentCtl3D_) {
      w->setCtl3D(v);
      w->parentCtl3D_ = true;
      if (w->hwnd_) SendMessageW(w->hwnd_, CM_PARENTCTL3DCHANGED, 0, 0);
    }
}

void WinControl::setParentCtl3D(bool v) {
  parentCtl3D_ = v;
  if (v && parent_) {
    setCtl3D(parent_->ctl3D_);
    parentCtl3D_ = true;
  }
}

void WinControl::setBorderStyle(BorderStyle b) {
  if (b == borderStyle_) return;
  borderStyle_ = b;
  if (!hwnd_) return;
  LONG ex = GetWindowLongW(hwnd_, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE;
  LONG st = GetWindowLongW(hwnd_, GWL_STYLE) & ~WS_BORDER;
  if (b == BorderStyle::Single) {
    if (ctl3D_)
      ex |= WS_EX_CLIENTEDGE;
    else
      st |= WS_BORDER;
  }
  SetWindowLongW(hwnd_, GWL_STYLE, st);
  SetWindowLongW(hwnd_, GWL_EXSTYLE, ex);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void WinControl::fontChanged() {
  applyWindowFont();
  for (Control* c : controls_)
    if (c->parentFont_) c->setParentFont(true);
  if (hwnd_) {
    SendMessageW(hwnd_, CM_FONTCHANGED, 0, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

void WinControl::colorChanged() {
  if (hwnd_) {
    SendMessageW(hwnd_, CM_COLORCHANGED, 0, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  for (Control* c : controls_) {
    if (c->parentColor_) c->setParentColor(true);
    if (auto* w = dynamic_cast<WinControl*>(c); w && w->hwnd_) SendMessageW(w->hwnd_, CM_PARENTCOLORCHANGED, 0, 0);
  }
}

void WinControl::textChanged() {
  if (!hwnd_) return;
  SetWindowTextW(hwnd_, widen(caption_).c_str());
  SendMessageW(hwnd_, CM_TEXTCHANGED, 0, 0);
}

void WinControl::broadcast(UINT msg, WPARAM w, LPARAM l) {
  if (hwnd_) SendMessageW(hwnd_, msg, w, l);
  for (Control* c : std::vector<Control*>(controls_))
    if (auto* wc = dynamic_cast<WinControl*>(c)) wc->broadcast(msg, w, l);
}

bool WinControl::focused() const { return hwnd_ && GetFocus() == hwnd_; }
bool WinControl::canFocus() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}
void WinControl::setFocus() { SetFocus(handle()); }

void WinControl::changeScale(int m, int d) {
  if (m == d || d == 0) return;
  disableAlign();
  for (Control* c : std::vector<Control*>(controls_)) c->changeScale(m, d);
  Control::changeScale(m, d);
  enableAlign();
}

void WinControl::loaded() {
  Control::loaded();
  realign();
}

}  // namespace ui

#include "ui/window_subclass.h"

#include <algorithm>

#include "ui/win_control.h"

namespace ui {

// A call of windowProc under way; `alive` turns false when the subclass is destroyed
// during it, so the caller touches nothing of it afterwards.
struct WindowSubclass::CallFrame {
  bool alive = true;
  CallFrame* outer = nullptr;
};

WindowSubclass::WindowSubclass()
    : thunk_(std::make_unique<ProcThunk>(this, &WindowSubclass::thunkTarget)) {}

WindowSubclass::~WindowSubclass() {
  detach();
  for (CallFrame* f = calls_; f; f = f->outer) f->alive = false;
}

void WindowSubclass::attach(WinControl& control) {
  if (control_ == &control) return;
  detach();
  control_ = &control;
  control.subclasses_.push_back(this);
  if (control.handleAllocated()) install(control.hwnd_);
}

void WindowSubclass::detach() {
  if (!control_) return;
  auto& list = control_->subclasses_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  control_ = nullptr;
  hadWindow_ = false;
  if (!window_) return;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC)) == thunk_->proc()) {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  } else {
    // Others chained behind this procedure: leave its code in place as a plain jump.
    thunk_->forwardForever(previous_);
    thunk_ = std::make_unique<ProcThunk>(this, &WindowSubclass::thunkTarget);
  }
  window_ = nullptr;
  previous_ = nullptr;
}

void WindowSubclass::takePlaceOf(WindowSubclass& other) {
  if (&other == this || !other.control_) return;
  detach();
  WinControl& control = *other.control_;
  auto& list = control.subclasses_;
  std::replace(list.begin(), list.end(), &other, this);
  control_ = &control;
  hadWindow_ = other.hadWindow_;
  window_ = other.window_;
  previous_ = other.previous_;
  if (window_) {
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC)) == other.thunk_->proc()) {
      SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thunk_->proc()));
    } else {
      other.thunk_->forwardForever(thunk_->proc());
      other.thunk_ = std::make_unique<ProcThunk>(&other, &WindowSubclass::thunkTarget);
    }
  }
  other.control_ = nullptr;
  other.window_ = nullptr;
  other.previous_ = nullptr;
  other.hadWindow_ = false;
}

bool WindowSubclass::install(HWND wnd) {
  // Attached while the control's window was being made: already in front of it, and
  // putting it there twice would make it its own previous procedure.
  if (window_ == wnd) return false;
  bool again = hadWindow_;
  hadWindow_ = true;
  window_ = wnd;
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thunk_->proc())));
  return again;
}

void WindowSubclass::windowGone() {
  window_ = nullptr;
  previous_ = nullptr;
}

void WindowSubclass::controlGone() {
  control_ = nullptr;
  hadWindow_ = false;
  window_ = nullptr;
  previous_ = nullptr;
  controlDestroyed();
}

LRESULT WindowSubclass::callPrevious(UINT msg, WPARAM w, LPARAM l) {
  if (!previous_ || !window_) return 0;
  return CallWindowProcW(previous_, window_, msg, w, l);
}

LRESULT CALLBACK WindowSubclass::thunkTarget(void* context, HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  auto* self = static_cast<WindowSubclass*>(context);
  if (self->window_ != wnd) {
    // Not (or no longer) in front of this window: a leftover chain link passes it on.
    WNDPROC prev = self->previous_;
    return prev ? CallWindowProcW(prev, wnd, msg, w, l) : DefWindowProcW(wnd, msg, w, l);
  }
  CallFrame frame;
  frame.outer = self->calls_;
  self->calls_ = &frame;
  LRESULT result = 0;
  try {
    result = self->windowProc(msg, w, l);
  } catch (...) {
    if (frame.alive) self->calls_ = frame.outer;
    reportCurrentException();
    return frame.alive ? self->callPrevious(msg, w, l) : 0;
  }
  if (!frame.alive) return result;
  self->calls_ = frame.outer;
  if (msg == WM_NCDESTROY && self->window_ == wnd) self->windowGone();
  return result;
}

}  // namespace ui

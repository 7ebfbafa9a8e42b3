#include "skin/window/form_proc_hook.h"

#include "ui/control.h"

namespace {
const wchar_t kProp[] = L"skin.FormProcHook";
}

FormProcHook::~FormProcHook() { detach(); }

void FormProcHook::attach(ui::WinControl& control) {
  if (window_) return;
  HWND wnd = control.handle();
  SetPropW(wnd, kProp, this);
  previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  window_ = wnd;
}

void FormProcHook::detach() {
  if (!window_) return;
  if (IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropW(window_, kProp);
  }
  window_ = nullptr;
  previous_ = nullptr;
}

LRESULT FormProcHook::callPrevious(UINT msg, WPARAM w, LPARAM l) {
  return previous_ ? CallWindowProcW(previous_, window_, msg, w, l) : 0;
}

LRESULT CALLBACK FormProcHook::Proc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  auto* self = static_cast<FormProcHook*>(GetPropW(wnd, kProp));
  if (!self) return DefWindowProcW(wnd, msg, w, l);
  LRESULT result = 0;
  try {
    result = self->windowProc(msg, w, l);
  } catch (...) {
    ui::reportCurrentException();
    result = self->callPrevious(msg, w, l);
  }
  if (msg == WM_NCDESTROY) {
    // The hook ends with the window.
    RemovePropW(wnd, kProp);
    self->window_ = nullptr;
    self->previous_ = nullptr;
  }
  return result;
}

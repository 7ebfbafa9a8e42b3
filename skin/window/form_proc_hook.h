// A procedure put in front of one control's window with SetWindowLong(GWL_WNDPROC),
// finding its object through a window property. It lasts as long as that window.
#pragma once
#include <windows.h>

namespace ui {
class WinControl;
}

class FormProcHook {
 public:
  FormProcHook() = default;
  virtual ~FormProcHook();
  FormProcHook(const FormProcHook&) = delete;
  FormProcHook& operator=(const FormProcHook&) = delete;

  void attach(ui::WinControl& control);
  // Puts the saved procedure back.
  void detach();
  HWND window() const { return window_; }
  WNDPROC previousProc() const { return previous_; }

 protected:
  virtual LRESULT windowProc(UINT msg, WPARAM w, LPARAM l) { return callPrevious(msg, w, l); }
  LRESULT callPrevious(UINT msg, WPARAM w, LPARAM l);

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM w, LPARAM l);
  HWND window_ = nullptr;
  WNDPROC previous_ = nullptr;
};

// A window procedure put in front of a framework control's window that stays in front
// when the framework makes the window again.
//
// Some settings can only be changed by destroying a window and making a new one
// (WinControl::recreateWnd), and a window also goes when its parent's window is
// remade. A procedure installed with a bare SetWindowLong(GWL_WNDPROC) is lost then.
// A WindowSubclass is registered with its control instead: the framework puts it in
// front of every new window of that control, in the order of attachment (the first
// attached is nearest to the control's own procedure), right after the window is made
// and before the window gets its font and children.
//
// Use: derive, override windowProc() and pass what it does not handle on with
// callPrevious(); attach(control) puts it in front of the window (now when the window
// exists, else when it is made); detach() takes it out again. windowRecreated() tells
// it that it was put in front of a new window of its control; WinControl::recreating()
// says, while the old window is being destroyed, that a new one will follow.
// controlDestroyed() tells it that the control went (it is detached by then).
// A subclass may detach and destroy itself inside windowProc().
#pragma once
#include <windows.h>

#include <memory>

#include "ui/proc_thunk.h"

namespace ui {

class WinControl;

class WindowSubclass {
 public:
  WindowSubclass();
  virtual ~WindowSubclass();
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;

  void attach(WinControl& control);
  // Puts the previous procedure back when this one is the window's current procedure;
  // when another procedure has been put in front of it since, this one keeps passing
  // every message on for as long as the window lives.
  void detach();

  // Takes the place of another subclass in its control's chain: the window then runs
  // this procedure where it ran the other's, passing messages on to the same previous
  // procedure, and the other is detached without touching the window.
  void takePlaceOf(WindowSubclass& other);

  WinControl* control() const { return control_; }
  // The window it is in front of now (null while the control has no window).
  HWND window() const { return window_; }
  // This subclass's own procedure (its address stays the same while it is attached).
  WNDPROC proc() const { return thunk_->proc(); }
  // The procedure it passes messages on to (null while it is in front of no window).
  WNDPROC previousProc() const { return previous_; }

 protected:
  virtual LRESULT windowProc(UINT msg, WPARAM w, LPARAM l) { return callPrevious(msg, w, l); }
  LRESULT callPrevious(UINT msg, WPARAM w, LPARAM l);
  virtual void windowRecreated() {}
  virtual void controlDestroyed() {}

 private:
  friend class WinControl;
  struct CallFrame;
  static LRESULT CALLBACK thunkTarget(void* self, HWND wnd, UINT msg, WPARAM w, LPARAM l);
  // Called by the control: a new window was made (true when it replaces an earlier
  // one this subclass was in front of) / the window went / the control is destroyed.
  bool install(HWND wnd);
  void windowGone();
  void controlGone();

  std::unique_ptr<ProcThunk> thunk_;
  WinControl* control_ = nullptr;
  HWND window_ = nullptr;
  WNDPROC previous_ = nullptr;
  bool hadWindow_ = false;
  CallFrame* calls_ = nullptr;  // the calls of windowProc under way, innermost first
};

}  // namespace ui

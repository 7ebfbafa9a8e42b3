// A window procedure bound to an object: a few bytes of executable code that add a
// context pointer in front of the four window-procedure arguments and jump to a
// common target. Each thunk has its own address, so procedures put in front of a
// window with SetWindowLong(GWL_WNDPROC) can be told apart and chained like any other.
#pragma once
#include <windows.h>

namespace ui {

class ProcThunk {
 public:
  // The common target: the context, then the window procedure's own arguments.
  using Target = LRESULT(CALLBACK*)(void* context, HWND wnd, UINT msg, WPARAM w, LPARAM l);

  ProcThunk(void* context, Target target);
  ~ProcThunk();
  ProcThunk(const ProcThunk&) = delete;
  ProcThunk& operator=(const ProcThunk&) = delete;

  WNDPROC proc() const { return reinterpret_cast<WNDPROC>(code_); }

  // Turns the thunk into a plain jump to `next` and gives its memory up for good: for a
  // procedure that others have already chained behind and that can no longer be taken
  // out of the window. The object may be destroyed afterwards; the code stays.
  void forwardForever(WNDPROC next);

 private:
  unsigned char* code_;
};

}  // namespace ui

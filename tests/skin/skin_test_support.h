// A form made in code with a frame skin on it, and helpers to pump and read pixels.
#pragma once
#include <windows.h>

#include "skin/window/xp_window.h"
#include "ui/ui.h"

namespace skintest {

struct SkinnedForm {
  // A sizeable form at (left, top) of width x height with a TxpWindow it owns.
  explicit SkinnedForm(int left = 100, int top = 100, int width = 400, int height = 300,
                       ui::FormBorderStyle border = ui::FormBorderStyle::Sizeable);
  ~SkinnedForm();
  HWND wnd() { return form->handle(); }
  void showAndPump();

  ui::Form* form;
  TxpWindow* skin;
};

void pump();
// A pixel of the window's client area as the screen shows it (CLR_INVALID when the
// screen cannot be read back).
COLORREF clientPixel(HWND wnd, int x, int y);
// The primary work area.
RECT workArea();

}  // namespace skintest

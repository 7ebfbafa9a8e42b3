#pragma once
// A canvas over a window, released with it.
#include <windows.h>

#include "ui/canvas.h"

namespace ui {

// A canvas over a window's client area (GetDC) or whole window (GetWindowDC),
// released in the destructor.
class WindowCanvas : public Canvas {
 public:
  explicit WindowCanvas(HWND wnd, bool wholeWindow = false);
  ~WindowCanvas() override;

 private:
  HWND wnd_;
};

}  // namespace ui

#include "ui/window_canvas.h"

namespace ui {

WindowCanvas::WindowCanvas(HWND wnd, bool wholeWindow) : wnd_(wnd) {
  setHandle(wholeWindow ? GetWindowDC(wnd) : GetDC(wnd));
}
WindowCanvas::~WindowCanvas() {
  HDC dc = handle();
  releaseObjects();
  setHandle(nullptr);
  if (dc) ReleaseDC(wnd_, dc);
}

}  // namespace ui

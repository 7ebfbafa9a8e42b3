// Pixels read back from a window on the screen, for the skins' tests.
#pragma once
#include <windows.h>

namespace skintest {

// A pixel of the whole window (frame included) or of its client area.
inline COLORREF windowPixel(HWND w, int x, int y) {
  HDC dc = GetWindowDC(w);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(w, dc);
  return c;
}
inline COLORREF clientPixel(HWND w, int x, int y) {
  HDC dc = GetDC(w);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(w, dc);
  return c;
}

inline SIZE windowSize(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// The colour of the window's outer ring, read at the middle of each side: CLR_INVALID
// when the sides differ.
inline COLORREF ringColor(HWND w) {
  SIZE s = windowSize(w);
  COLORREF left = windowPixel(w, 0, s.cy / 2);
  bool same = windowPixel(w, s.cx / 2, 0) == left && windowPixel(w, s.cx - 1, s.cy / 2) == left &&
              windowPixel(w, s.cx / 2, s.cy - 1) == left;
  return same ? left : CLR_INVALID;
}

}  // namespace skintest

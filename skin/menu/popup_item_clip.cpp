#include "skin/menu/popup_item_clip.h"

namespace {

// The width of the frame the system draws inside a pop-up menu's client area: none
// when the window has a non-client border of its own (the frame lies there).
int frameInsideClient(HWND wnd) {
  RECT wr{}, cr{};
  GetWindowRect(wnd, &wr);
  GetClientRect(wnd, &cr);
  bool hasBorder = (wr.right - wr.left) != cr.right || (wr.bottom - wr.top) != cr.bottom;
  if (hasBorder) return 0;
  BOOL flat = FALSE;
  SystemParametersInfoW(SPI_GETFLATMENU, 0, &flat, 0);
  return GetSystemMetrics(flat ? SM_CXBORDER : SM_CXEDGE);
}

}  // namespace

RECT TPopupItemClip::PaintableArea(HWND wnd) {
  RECT cr{};
  GetClientRect(wnd, &cr);
  int frame = frameInsideClient(wnd);
  InflateRect(&cr, -frame, -frame);
  return cr;
}

TPopupItemClip::TPopupItemClip(HDC dc, RECT area) : dc_(dc) {
  HWND wnd = WindowFromDC(dc);
  if (!wnd) return;  // a memory or printer context: its own clipping stands
  RECT allowed{};
  RECT paintable = PaintableArea(wnd);
  if (!IntersectRect(&allowed, &area, &paintable)) return;
  POINT corners[2] = {{allowed.left, allowed.top}, {allowed.right, allowed.bottom}};
  LPtoDP(dc, corners, 2);
  HRGN region = CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
  if (!region) return;
  saved_ = SaveDC(dc);
  SelectClipRgn(dc, region);
  DeleteObject(region);
}

TPopupItemClip::~TPopupItemClip() {
  if (saved_) RestoreDC(dc_, saved_);
}

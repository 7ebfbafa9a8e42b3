// Lets a pop-up menu item's painting reach the margin left of the item.
//
// The device context Windows hands to an owner-drawn pop-up item may be clipped to the
// item (Wine clips it to the menu's item area). The skin paints four extra columns left
// of the item over the pop-up's margin, so while an item is copied to the screen the
// clipping is widened to the item plus those columns, but kept inside the menu window's
// frame: where the system draws its frame inside the client area (a pop-up window
// without a non-client border, as under Wine), the frame line is left out. The device
// context's own visible region is untouched, so nothing outside the area Windows is
// painting changes. The previous clipping comes back when the object goes.
#pragma once
#include <windows.h>

class TPopupItemClip {
 public:
  TPopupItemClip(HDC dc, RECT area);
  ~TPopupItemClip();
  TPopupItemClip(const TPopupItemClip&) = delete;
  TPopupItemClip& operator=(const TPopupItemClip&) = delete;

  // The area of the menu window's client that item painting may cover: the client
  // rectangle less the frame drawn inside it.
  static RECT PaintableArea(HWND menuWindow);

 private:
  HDC dc_;
  int saved_ = 0;
};

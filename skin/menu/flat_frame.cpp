#include "skin/menu/flat_frame.h"

#include <cstdlib>

#include "skin/menu/menu_manager.h"
#include "skin/menu/xp_menu.h"
#include "ui/application.h"

namespace xpmenu {

namespace {

bool runsFlatFrame(HWND wnd) {
  return wnd && GetWindowLongPtrW(wnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&FlatFrameWndProc);
}

LRESULT callPrevious(WNDPROC prev, HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  return prev ? CallWindowProcW(prev, wnd, msg, w, l) : DefWindowProcW(wnd, msg, w, l);
}

// A flat pop-up just right of a closing one repaints where the closing one's shadow lay.
void invalidateNeighbour(HWND wnd) {
  RECT r{};
  if (!GetWindowRect(wnd, &r)) return;
  HWND n = WindowFromPoint(POINT{r.right + 2, r.top + 2});
  if (!runsFlatFrame(n)) n = WindowFromPoint(POINT{r.right + 2, r.bottom - 2});
  if (runsFlatFrame(n)) InvalidateRect(n, nullptr, FALSE);
}

// The menu handle that holds an item, and the item's position among the shown items.
bool itemPosition(ui::MenuItem* item, HMENU& menu, int& position) {
  ui::MenuItem* parent = item->parentItem();
  ui::Menu* owning = item->menu();
  if (!parent || !owning) return false;
  menu = parent->parentItem() ? parent->handle() : owning->handle();
  position = 0;
  for (ui::MenuItem* sibling : parent->items()) {
    if (sibling == item) return menu != nullptr;
    if (sibling->visible()) ++position;
  }
  return false;
}

void frameUnderItem(TXPMenu& skin, ui::MenuItem* item) {
  HMENU menu = nullptr;
  int position = 0;
  RECT r{};
  if (!itemPosition(item, menu, position) || !GetMenuItemRect(nullptr, menu, position, &r)) return;
  HWND wnd = WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  if (wnd) skin.DrawFlatFrame(wnd, item->menu()->isRightToLeft());
}

}  // namespace

LRESULT CALLBACK FlatFrameWndProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  auto prev = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (msg == WM_ERASEBKGND) return 1;  // the menu paints its whole client itself
  bool leaving = (msg == WM_SHOWWINDOW && w == 0) || msg == WM_CLOSE || msg == WM_DESTROY;
  if (!leaving) return callPrevious(prev, wnd, msg, w, l);
  // The window goes back to the system as it was, to be reused for the next menu.
  SetWindowRgn(wnd, nullptr, FALSE);
  if (prev) SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev));
  SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
  LRESULT result = callPrevious(prev, wnd, msg, w, l);
  invalidateNeighbour(wnd);
  return result;
}

bool HandleFlatFrameMessage(UINT msg, WPARAM w, LPARAM l) {
  if (msg != XPM_FRAMEITEM && msg != XPM_FRAMEWINDOW) return false;
  TXPMenuManager* manager = TXPMenuManager::Instance();
  TXPMenu* skin = manager ? manager->SubclassingSkin() : nullptr;
  if (!skin) return true;
  if (msg == XPM_FRAMEWINDOW) {
    skin->DrawFlatFrame(reinterpret_cast<HWND>(l), w != 0);
  } else if (ui::MenuItem::isLive(reinterpret_cast<const void*>(l))) {  // the item may be gone by now
    frameUnderItem(*skin, reinterpret_cast<ui::MenuItem*>(l));
  }
  return true;
}

}  // namespace xpmenu

using namespace xpmenu;

void TXPMenu::ScheduleFlatFrame(ui::MenuItem* item, HDC dc) {
  HWND app = ui::application().handle();
  if (!app) return;
  MSG waiting;
  if (PeekMessageW(&waiting, app, XPM_FRAMEITEM, XPM_FRAMEWINDOW, PM_NOREMOVE)) return;  // one is enough
  HWND wnd = WindowFromDC(dc);
  if (!wnd) {
    PostMessageW(app, XPM_FRAMEITEM, 0, reinterpret_cast<LPARAM>(item));
  } else if (!ownerForm_ || !ownerForm_->handleAllocated() || wnd != ownerForm_->handle()) {
    bool rtl = item->menu() && item->menu()->isRightToLeft();
    PostMessageW(app, XPM_FRAMEWINDOW, rtl ? 1 : 0, reinterpret_cast<LPARAM>(wnd));
  }
}

namespace {

// The window keeps its region when it already matches its size within 5 pixels;
// otherwise it gets the shape with the two-pixel shadow along the right and bottom.
void shapeWithShadow(HWND wnd, int w, int h) {
  HRGN current = CreateRectRgn(0, 0, 0, 0);
  int kind = GetWindowRgn(wnd, current);
  RECT box{};
  if (kind != ERROR) GetRgnBox(current, &box);
  DeleteObject(current);
  if (kind != ERROR && std::abs(box.right - w) <= 5 && std::abs(box.bottom - h) <= 5) return;
  HRGN shape = CreateRectRgn(0, 0, w - 2, h - 2);
  HRGN shadow = CreateRectRgn(2, 2, w, h);
  CombineRgn(shape, shape, shadow, RGN_OR);
  DeleteObject(shadow);
  if (!SetWindowRgn(wnd, shape, TRUE)) DeleteObject(shape);  // the system owns it when set
}

}  // namespace

void TXPMenu::DrawFlatFrame(HWND wnd, bool rightToLeft) {
  if (!wnd || FramePainting || !IsWindow(wnd)) return;
  HDC dc = GetWindowDC(wnd);
  if (!dc) return;
  FramePainting = true;
  try {
    ui::Canvas c(dc);
    RECT wr{};
    GetWindowRect(wnd, &wr);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    if (!runsFlatFrame(wnd)) {
      SetWindowLongPtrW(wnd, GWLP_USERDATA, GetWindowLongPtrW(wnd, GWLP_WNDPROC));
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FlatFrameWndProc));
    }
    if (!isWinXP_) {
      shapeWithShadow(wnd, w, h);
      w -= 2;
      h -= 2;
    }
    auto outline = [&](int l, int t, int r, int b, Rgb color) {
      c.brush.style = ui::BrushStyle::Clear;
      c.pen.color = static_cast<ui::TColor>(color);
      c.rectangle(l, t, r, b);
    };
    outline(0, 0, w, h, palette_.FlatEdge);
    if (rightToLeft) {
      c.pen.color = static_cast<ui::TColor>(palette_.IconFace);
      c.moveTo(w - 3, 2);
      c.lineTo(w - 2, h - 1);
    } else {
      outline(1, 2, 3, h - 1, palette_.IconFace);  // the two columns left of the items
    }
    // The top inner edge takes the menu's own colours from the first row of items.
    StretchBlt(dc, 1, 1, w - 1, 2, dc, 1, 3, w - 1, 1, SRCCOPY);
    if (isWinXP_) {
      StretchBlt(dc, 1, h - 3, w - 1, 2, dc, 1, 3, w - 1, 1, SRCCOPY);
      outline(w - 3, 1, w - 1, h - 1, palette_.MenuFace);
    }
    w += 2;
    h += 2;
    if (!isWinXP_) {
      outline(2, h - 2, w, h, palette_.FlatShadow);
      outline(w - 2, 2, w, h, palette_.FlatShadow);
    }
  } catch (...) {
  }
  ReleaseDC(wnd, dc);
  FramePainting = false;
}

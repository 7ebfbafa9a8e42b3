// Painting a skinned menu item. Each item is composed in an off-screen bitmap and
// copied to the screen in one block, so a menu never shows a half-painted item.
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "skin/menu/menu_item_geometry.h"
#include "skin/menu/menu_item_painter.h"
#include "skin/menu/popup_item_clip.h"
#include "skin/menu/xp_menu.h"

using xpmenu::Rect;

namespace {

Rect toRect(RECT r) { return {r.left, r.top, r.right, r.bottom}; }

// Copies src onto dst (sized like src) with src's bottom-left colour left out.
void drawTransparent(ui::Bitmap& dst, ui::Bitmap& src) {
  COLORREF key = src.canvas().pixel(0, src.height() - 1);
  TransparentBlt(dst.canvas().handle(), 0, 0, src.width(), src.height(), src.canvas().handle(), 0, 0, src.width(),
                 src.height(), key);
}

void fill(ui::Bitmap& b, ui::TColor color) {
  ui::Canvas& c = b.canvas();
  c.brush.style = ui::BrushStyle::Solid;
  c.brush.color = color;
  c.fillRect(RECT{0, 0, b.width(), b.height()});
}

// The image list an item's image comes from, or null when it shows no list image.
ui::ImageList* imageListOf(ui::MenuItem* item) {
  ui::MenuItem* parent = item->parentItem();
  ui::Menu* owning = item->menu();
  if (item->imageIndex() == -1) return nullptr;
  if (parent && parent->subMenuImages()) return parent->subMenuImages();
  return owning ? owning->images() : nullptr;
}

// The item's icon on a TransparentKey background: its own bitmap, replaced by its
// image-list image when it has one. False when it has neither.
bool prepareIcon(ui::MenuItem* item, ui::Bitmap& icon) {
  bool has = false;
  ui::Bitmap& own = item->bitmap();
  if (own.width() > 0) {
    icon.setSize(own.width(), own.height());
    fill(icon, TXPMenu::TransparentKey);
    drawTransparent(icon, own);
    has = true;
  }
  if (ui::ImageList* list = imageListOf(item)) {
    icon.setSize(list->width(), list->height());
    fill(icon, TXPMenu::TransparentKey);
    ImageList_DrawEx(list->handle(), item->imageIndex(), icon.canvas().handle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE,
                     ILD_TRANSPARENT);
    has = true;
  }
  return has;
}

// The cursor lies on a bar item: positions relative to the owner window's top-left.
bool cursorOnBarItem(HWND owner, RECT r) {
  POINT pt{};
  RECT wr{};
  if (!owner || !GetCursorPos(&pt) || !GetWindowRect(owner, &wr)) return false;
  int x = pt.x - wr.left, y = pt.y - wr.top;
  return r.left <= x && x <= r.right - 1 && r.top <= y && y <= r.bottom - 2;
}

}  // namespace

void TXPMenu::DrawMenuItem(ui::MenuItem* item, ui::Canvas& canvas, RECT rect, bool selected) {
  if (!active_) return;
  bool bar = IsBarItem(item);
  ui::Menu* menu = item->menu();
  bool rtl = menu && menu->isRightToLeft();
  bool enabled = item->enabled();
  ui::Bitmap icon;
  bool hasIcon = prepareIcon(item, icon);

  xpmenu::ItemLayoutInput in{toRect(rect), bar, rtl, iconWidth_, hasIcon ? icon.width() : 0,
                             hasIcon ? icon.height() : 0};
  xpmenu::ItemLayout lay = xpmenu::LayoutMenuItem(in);
  if (lay.BitmapWidth <= 0 || lay.BitmapHeight <= 0) return;
  ui::Bitmap composed(lay.BitmapWidth, lay.BitmapHeight);
  ui::Canvas& c = composed.canvas();
  if (paletteDirty_) UpdatePalette(c.handle());
  c.font.assign(font_);
  Rect w = lay.Work;
  TMenuItemPainter painter(*this, c);

  // The background and the selection.
  if (bar && drawMenuBar_) palette_.BarFace = Resolve(menuBarColor_);
  painter.DrawBackground(lay, bar, rtl);
  c.font.setColor(enabled ? font_.color() : disabledColor_);
  bool hot = false;
  if (selected && drawSelect_) {
    painter.DrawSelection(w, bar, rtl, enabled);
    hot = true;
  } else if (bar && enabled && isNT_ && cursorOnBarItem(menu->windowHandle(), rect)) {
    painter.DrawBarHover(w);
    hot = true;
  }

  // Marks and icon.
  if (item->checked() || item->radioItem()) painter.DrawCheckMark(item, selected, lay.CheckRect, hasIcon, enabled);
  if (hasIcon && icon.width() > 0)
    painter.DrawItemIcon(lay.IconColumn, icon, selected || hot, bar, item->checked(), enabled, rtl);

  // The text, or the separator line.
  if (item->isLine()) {
    xpmenu::Segment s = xpmenu::SeparatorLine(lay.TextRect, rtl);
    painter.Polyline({s.From, s.To}, palette_.SeparatorLine);
  } else {
    Rect tr = xpmenu::CaptionRect(lay.TextRect, rtl, c.textHeight("W"));
    UINT format = rtl ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
    TMenuItemPainter::TextState state{rtl, bar, item->isDefault(), enabled, selected};
    painter.DrawItemText(" " + item->caption(), format, state, winRect(tr), ui::shortCutToText(item->shortCut()));
  }

  // One block to the screen; a pop-up item's extra columns reach over its margin.
  {
    RECT area{lay.Destination.X, lay.Destination.Y, lay.Destination.X + lay.BitmapWidth,
              lay.Destination.Y + lay.BitmapHeight};
    std::optional<TPopupItemClip> clip;
    if (!bar) clip.emplace(canvas.handle(), area);
    BitBlt(canvas.handle(), area.left, area.top, lay.BitmapWidth, lay.BitmapHeight, c.handle(), 0, 0, SRCCOPY);
  }
  if (flatMenu_ && !bar) ScheduleFlatFrame(item, canvas.handle());
}

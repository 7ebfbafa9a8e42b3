// The drawing routines of a skinned menu item, on the canvas of the item's composition
// bitmap: the menu bar selection, the check mark, the icon, the text and the icon
// column gradient. Colours come from the skin's EffectivePalette.
#pragma once
#include <windows.h>

#include <string>

#include "skin/menu/menu_colors.h"
#include "skin/menu/menu_item_geometry.h"
#include "ui/graphics.h"
#include "ui/menu.h"

class TXPMenu;

// A menu rectangle as the system's drawing calls take it.
inline RECT winRect(xpmenu::Rect r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

class TMenuItemPainter {
 public:
  TMenuItemPainter(TXPMenu& skin, ui::Canvas& canvas) : skin_(skin), canvas_(canvas) {}

  // The item's background: the bar face, or the menu face with its icon column (or
  // the icon column gradient).
  void DrawBackground(const xpmenu::ItemLayout& layout, bool barItem, bool rightToLeft);
  // The selection of a selected item (a disabled pop-up item shows none).
  void DrawSelection(xpmenu::Rect w, bool barItem, bool rightToLeft, bool enabled);
  // The frame of a bar item under the pointer while no menu is open.
  void DrawBarHover(xpmenu::Rect w);
  // Fills W with the selection colour and outlines it; plain, or raised with a soft
  // shadow of its right edge painted from the bar face.
  void DrawBarSelection(xpmenu::Rect w, xpmenu::Rgb barColor, bool plain);
  // The box or frame of a checked item, the circle or rounded frame of a radio item.
  void DrawCheckMark(ui::MenuItem* item, bool selected, xpmenu::Rect cr, bool hasIcon, bool enabled);
  // The icon in the icon column: dimmed at rest, greyed when disabled, lifted with a
  // shadow when hot. Recolours icon.
  void DrawItemIcon(xpmenu::Rect ic, ui::Bitmap& icon, bool hot, bool barItem, bool checked, bool enabled,
                    bool rightToLeft);
  struct TextState {
    bool RightToLeft = false, BarItem = false, Default = false, Enabled = true, Selected = false;
  };
  // The caption (with a soft bold shadow for a default item) and the shortcut.
  void DrawItemText(const std::string& text, UINT format, const TextState& state, RECT tr,
                    const std::string& shortcut);
  // Columns lightening away from the icon column's side.
  void DrawIconGradient(xpmenu::Rect w, bool rightToLeft);

  void Fill(xpmenu::Rect r, xpmenu::Rgb color);
  void Polyline(const std::vector<xpmenu::Point>& points, xpmenu::Rgb color);

 private:
  TXPMenu& skin_;
  ui::Canvas& canvas_;
};

// Borders of themed list boxes, tree views, edits and lookup combo boxes: one-pixel
// rings drawn over the window (the sunken 3D edge has been switched off).
#include <array>

#include "skin/menu/control_look.h"
#include "skin/menu/xp_menu.h"

namespace xpmenu {

namespace {

RECT windowBounds(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  return RECT{0, 0, r.right - r.left, r.bottom - r.top};
}

void drawRing(ui::Canvas& canvas, const RECT& r, Rgb color) {
  canvas.brush.style = ui::BrushStyle::Clear;
  canvas.pen.style = ui::PenStyle::Solid;
  canvas.pen.width = 1;
  canvas.pen.color = static_cast<ui::TColor>(color);
  canvas.rectangle(r);
}

// Lit in a tint of the selection outline, else a darker shade of the control's colour;
// a control that had no border of its own gets fainter tints.
Rgb flatBorderColor(const TXPMenu& skin, ui::WinControl& control, const ControlLook& look) {
  bool single = look.savedBorderStyle == ui::BorderStyle::Single;
  Rgb edge = skin.EffectivePalette().SelectEdge;
  if (look.hot || look.focused) return LightenColor(edge, single ? 60 : 80);
  return single ? TXPMenu::DarkenMenuColor(control.color(), 60) : TXPMenu::Resolve(control.color());
}

Rgb editBorderColor(const TXPMenu& skin, ui::WinControl& control, const ControlLook& look) {
  if (look.savedBorderStyle == ui::BorderStyle::None) {
    if (!look.hot || look.focused) return TXPMenu::Resolve(control.color());
    std::array<Rgb, 2> both{TXPMenu::Resolve(control.font().color()), TXPMenu::Resolve(control.color())};
    return LightenColor(MixColors(both), 40);
  }
  if (look.hot || look.focused) return LightenColor(skin.EffectivePalette().SelectEdge, 60);
  return TXPMenu::DarkenMenuColor(control.color(), 60);
}

void drawArrowDown(ui::Canvas& canvas, const RECT& button, Rgb color) {
  int cx = (button.left + button.right) / 2, cy = (button.top + button.bottom) / 2;
  canvas.pen.color = static_cast<ui::TColor>(color);
  for (int row = 0; row < 3; ++row) {  // 5, 3 and 1 pixels wide
    canvas.moveTo(cx - 2 + row, cy - 1 + row);
    canvas.lineTo(cx + 3 - row, cy - 1 + row);
  }
}

}  // namespace

void PaintFlatBorder(TXPMenu& skin, ui::WinControl& control, const ControlLook& look) {
  HWND wnd = control.handle();
  ui::WindowCanvas canvas(wnd, true);
  skin.UpdatePalette(canvas.handle());
  drawRing(canvas, windowBounds(wnd), flatBorderColor(skin, control, look));
}

void PaintEditBorder(TXPMenu& skin, ui::WinControl& control, const ControlLook& look) {
  HWND wnd = control.handle();
  ui::WindowCanvas canvas(wnd, true);
  drawRing(canvas, windowBounds(wnd), editBorderColor(skin, control, look));
}

void PaintDropDown(TXPMenu& skin, ui::WinControl& control, const ControlLook& look) {
  HWND wnd = control.handle();
  ui::WindowCanvas canvas(wnd, true);
  const EffectivePalette& p = skin.EffectivePalette();
  bool lit = look.hot || look.focused;
  RECT r = windowBounds(wnd);
  Rgb edge = lit ? LightenColor(p.SelectEdge, 60) : TXPMenu::DarkenMenuColor(control.color(), 60);
  drawRing(canvas, r, edge);
  InflateRect(&r, -1, -1);
  drawRing(canvas, r, TXPMenu::Resolve(control.color()));  // covers the system's 3D edge
  RECT button{r.right - GetSystemMetrics(SM_CXHTHUMB), r.top, r.right, r.bottom};
  canvas.brush.style = ui::BrushStyle::Solid;
  canvas.brush.color = static_cast<ui::TColor>(lit ? p.SelectFace : LightenColor(p.SelectEdge, 80));
  canvas.pen.color = static_cast<ui::TColor>(LightenColor(p.SelectEdge, 60));
  canvas.rectangle(button);
  drawArrowDown(canvas, button, control.enabled() ? TXPMenu::Resolve(skin.Font().color()) : p.DisabledText);
}

}  // namespace xpmenu

// Faces and frames of themed panels, push buttons and group boxes, drawn on the client
// area after the control painted itself.
#include "skin/menu/control_look.h"
#include "skin/menu/menu_item_painter.h"
#include "skin/menu/xp_menu.h"
#include "ui/panel.h"

namespace xpmenu {

namespace {

ui::TColor literal(Rgb c) { return static_cast<ui::TColor>(c); }

RECT clientBounds(HWND wnd) {
  RECT r;
  GetClientRect(wnd, &r);
  return r;
}

// A bevel of the given kind and width; shrinks r by it when drawn.
void drawBevel(ui::Canvas& canvas, RECT& r, ui::Bevel bevel, Rgb dark, Rgb light, int width) {
  if (bevel == ui::Bevel::None) return;
  if (bevel == ui::Bevel::Lowered)
    ui::frame3D(canvas, r, literal(dark), literal(light), width);
  else
    ui::frame3D(canvas, r, literal(light), literal(dark), width);
}

// The caption centred on the face, measured with the button's font and drawn as menu
// item captions are.
void drawButtonCaption(TXPMenu& skin, ui::WinControl& button, ui::Canvas& canvas, const RECT& r) {
  const std::string& caption = button.caption();
  if (caption.empty()) return;
  canvas.font.assign(button.font());
  RECT size{0, 0, 0, 0};
  canvas.drawText(caption, size, DT_CALCRECT | DT_SINGLELINE);
  int w = size.right - size.left, h = size.bottom - size.top;
  RECT text{r.left + (r.right - r.left - w) / 2, r.top + (r.bottom - r.top - h) / 2, 0, 0};
  text.right = text.left + w;
  text.bottom = text.top + h;
  TMenuItemPainter::TextState state;
  state.Enabled = button.enabled();
  TMenuItemPainter(skin, canvas).DrawItemText(caption, DT_CENTER, state, text, "");
}

}  // namespace

void PaintPanelBevels(ui::Panel& panel, const ControlLook& look) {
  if (look.lastMessage != WM_PAINT) return;  // only over the panel's own painting
  Rgb dark = TXPMenu::DarkenMenuColor(panel.color(), 60), light = TXPMenu::LightenColor(panel.color(), 60);
  ui::WindowCanvas canvas(panel.handle());
  RECT r = clientBounds(panel.handle());
  drawBevel(canvas, r, panel.bevelOuter(), dark, light, panel.bevelWidth());
  if (panel.bevelInner() == ui::Bevel::None) return;
  InflateRect(&r, -panel.borderWidth(), -panel.borderWidth());
  drawBevel(canvas, r, panel.bevelInner(), dark, light, panel.bevelWidth());
}

void PaintButtonFace(TXPMenu& skin, ui::WinControl& button, const ControlLook& look) {
  const EffectivePalette& p = skin.EffectivePalette();
  // A button tagged 1000 takes its tints from the colour of what it sits on.
  bool onParent = button.tag() == 1000 && button.parent();
  ui::TColor base = onParent ? button.parent()->color() : ui::clBtnFace;
  Rgb face = look.hot ? TXPMenu::LightenColor(base, 40) : onParent ? TXPMenu::LightenColor(base, 16) : p.IconFace;
  Rgb edge = look.hot || look.focused ? LightenColor(p.SelectEdge, 60) : TXPMenu::Resolve(ui::clBtnShadow);
  ui::WindowCanvas canvas(button.handle());
  RECT r = clientBounds(button.handle());
  canvas.brush.style = ui::BrushStyle::Solid;
  canvas.brush.color = button.color();
  canvas.fillRect(r);
  canvas.brush.color = literal(face);
  canvas.pen.style = ui::PenStyle::Solid;
  canvas.pen.width = 1;
  canvas.pen.color = literal(LightenColor(edge, 30));
  canvas.roundRect(r.left, r.top, r.right, r.bottom, 4, 4);
  if (button.enabled()) {
    canvas.pen.color = literal(DarkenMenuColor(edge, 50));
    int l = r.left, t = r.top, rt = r.right, b = r.bottom;
    if (look.pressed)
      canvas.polyline({{l, b - 2}, {l, t + 1}, {l + 1, t}, {rt - 1, t}});
    else
      canvas.polyline({{rt - 1, t + 1}, {rt - 1, b - 2}, {rt - 2, b - 1}, {l, b - 1}});
  }
  drawButtonCaption(skin, button, canvas, r);
}

void PaintGroupFrame(ui::WinControl& box, const ControlLook& look) {
  if (look.lastMessage != WM_PAINT) return;  // only over the box's own painting
  Rgb dark = TXPMenu::DarkenMenuColor(box.color(), 60), light = TXPMenu::LightenColor(box.color(), 60);
  ui::WindowCanvas canvas(box.handle());
  canvas.font.assign(box.font());
  RECT c = clientBounds(box.handle());
  int textHeight = canvas.textHeight("W");
  RECT f{c.left + 1, c.top + textHeight / 2, c.right - 1, c.bottom - 1};
  canvas.brush.style = ui::BrushStyle::Clear;
  canvas.pen.color = literal(dark);
  canvas.rectangle(f.left, f.top, f.right - 1, f.bottom - 1);
  canvas.pen.color = literal(light);
  canvas.rectangle(f.left + 1, f.top + 1, f.right, f.bottom);
  const std::string& caption = box.caption();
  if (caption.empty()) return;
  // The caption sits in a gap of the frame, 9 pixels from the edge.
  RECT text{c.left + 9, c.top, c.left + 9 + canvas.textWidth(caption), c.top + textHeight};
  RECT gap{text.left - 1, text.top, text.right + 1, text.bottom};
  canvas.brush.style = ui::BrushStyle::Solid;
  canvas.brush.color = box.color();
  canvas.fillRect(gap);
  canvas.setTransparentText(true);
  canvas.drawText(caption, text, DT_LEFT | DT_SINGLELINE);
}

}  // namespace xpmenu

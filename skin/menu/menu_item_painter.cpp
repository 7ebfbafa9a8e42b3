#include "skin/menu/menu_item_painter.h"

#include "skin/menu/xp_menu.h"

using xpmenu::Rect;
using xpmenu::Rgb;

namespace {

ui::TColor tcolor(Rgb c) { return static_cast<ui::TColor>(c); }

}  // namespace

void TMenuItemPainter::Fill(Rect r, Rgb color) {
  canvas_.brush.style = ui::BrushStyle::Solid;
  canvas_.brush.color = tcolor(color);
  canvas_.fillRect(winRect(r));
}

void TMenuItemPainter::Polyline(const std::vector<xpmenu::Point>& points, Rgb color) {
  canvas_.pen.color = tcolor(color);
  if (points.empty()) return;
  canvas_.moveTo(points[0].X, points[0].Y);
  for (size_t i = 1; i < points.size(); ++i) canvas_.lineTo(points[i].X, points[i].Y);
}

void TMenuItemPainter::DrawBackground(const xpmenu::ItemLayout& layout, bool barItem, bool rightToLeft) {
  const xpmenu::EffectivePalette& p = skin_.EffectivePalette();
  Rect w = layout.Work;
  if (barItem) {
    Fill(w, p.BarFace);
  } else if (skin_.HighColor() && skin_.Gradient()) {
    DrawIconGradient({w.Left, w.Top, w.Right + 2, w.Bottom}, rightToLeft);
  } else {
    Fill({w.Left - 4, w.Top, w.Right, w.Bottom}, p.MenuFace);
    Fill(layout.IconColumn, p.IconFace);
  }
}

void TMenuItemPainter::DrawSelection(Rect w, bool barItem, bool rightToLeft, bool enabled) {
  const xpmenu::EffectivePalette& p = skin_.EffectivePalette();
  canvas_.brush.style = ui::BrushStyle::Solid;
  if (barItem) {
    DrawBarSelection(w, TXPMenu::Resolve(skin_.MenuBarColor()), rightToLeft || !skin_.HighColor());
  } else if (enabled) {
    Rect s{w.Left, w.Top + 1, w.Right - (skin_.FlatMenu() ? 1 : 0), w.Bottom - 1};
    Fill(s, p.SelectFace);
    canvas_.brush.style = ui::BrushStyle::Clear;
    canvas_.pen.color = tcolor(p.SelectEdge);
    canvas_.rectangle(winRect(s));
  }
}

void TMenuItemPainter::DrawBarHover(Rect w) {
  const xpmenu::EffectivePalette& p = skin_.EffectivePalette();
  canvas_.brush.style = ui::BrushStyle::Solid;
  canvas_.brush.color = tcolor(p.SelectFace);
  canvas_.pen.color = tcolor(p.SelectEdge);
  canvas_.rectangle(w.Left, w.Top, w.Right - 7, w.Bottom);
}

void TMenuItemPainter::DrawBarSelection(Rect w, Rgb barColor, bool plain) {
  const xpmenu::EffectivePalette& p = skin_.EffectivePalette();
  Fill(w, p.SelectFace);
  if (plain) {
    Rgb dark = xpmenu::DarkenMenuColor(barColor, 70);
    Polyline(xpmenu::PlainSelectionOutline(w), p.SelectEdge);
    Fill(xpmenu::PlainSelectionStrip(w), dark);
    Fill(xpmenu::PlainSelectionCorner(w), barColor);
    canvas_.brush.color = tcolor(dark);
    return;
  }
  Polyline(xpmenu::RaisedSelectionOutline(w), p.SelectEdge);
  auto shade = [&](int amount) { return amount ? xpmenu::DarkenMenuColor(p.BarFace, amount) : p.BarFace; };
  for (const xpmenu::ShadeFill& f : xpmenu::RaisedSelectionShadeFills(w)) Fill(f.Area, shade(f.Amount));
  for (const xpmenu::ShadeLine& l : xpmenu::RaisedSelectionShadeLines(w)) Polyline(l.Points, shade(l.Amount));
}

void TMenuItemPainter::DrawCheckMark(ui::MenuItem* item, bool selected, Rect cr, bool hasIcon, bool enabled) {
  if (!item->checked()) return;
  const xpmenu::EffectivePalette& p = skin_.EffectivePalette();
  bool radio = item->radioItem();
  canvas_.brush.style = ui::BrushStyle::Solid;
  if (!enabled) {
    canvas_.pen.color = tcolor(p.DisabledText);  // the brush keeps its colour
  } else {
    canvas_.brush.color = tcolor(selected ? p.CheckFaceSelected : p.CheckFace);
    canvas_.pen.color = tcolor(!radio && !hasIcon ? p.CheckEdge : p.SelectEdge);
  }
  if (radio && hasIcon) {
    canvas_.roundRect(cr.Left, cr.Top, cr.Right, cr.Bottom, 6, 6);
  } else if (radio) {
    canvas_.ellipse(cr.Left, cr.Top, cr.Right, cr.Bottom);
    canvas_.brush.color = canvas_.pen.color;  // the dot in the pen colour
    canvas_.ellipse(cr.Left + 2, cr.Top + 2, cr.Right - 2, cr.Bottom - 2);
  } else {
    canvas_.rectangle(cr.Left, cr.Top, cr.Right, cr.Bottom);
    if (hasIcon) return;
    Rgb tick = enabled ? xpmenu::kBlack : p.DisabledText;
    for (const xpmenu::Segment& s : xpmenu::TickStrokes(cr)) Polyline({s.From, s.To}, tick);
  }
}

void TMenuItemPainter::DrawItemIcon(Rect ic, ui::Bitmap& icon, bool hot, bool barItem, bool checked, bool enabled,
                                    bool rightToLeft) {
  xpmenu::Point at = xpmenu::ItemIconPosition(ic, icon.width(), skin_.IconWidth(), barItem, rightToLeft);
  bool lift = hot && enabled && (barItem || !checked);
  if (lift) at = xpmenu::LiftedIconPosition(at, barItem);
  if (!hot && enabled && !checked && skin_.HighColor()) TXPMenu::LightenBitmap(icon, skin_.DimLevel());
  if (!enabled) {
    TXPMenu::GreyBitmap(icon, skin_.GrayLevel());
    TXPMenu::LightenBitmap(icon, 40);
  }
  ui::Canvas& ic_ = icon.canvas();
  COLORREF key = ic_.pixel(0, icon.height() - 1);
  if (hot && enabled && !checked) {
    ui::TColor shadow = tcolor(xpmenu::DarkenMenuColor(skin_.EffectivePalette().SelectFace, 50));
    for (int y = 0; y < icon.height(); ++y)
      for (int x = 0; x < icon.width(); ++x)
        if (ic_.pixel(x, y) != key) canvas_.setPixel(at.X + 2 + x, at.Y + 2 + y, shadow);
  }
  TransparentBlt(canvas_.handle(), at.X, at.Y, icon.width(), icon.height(), ic_.handle(), 0, 0, icon.width(),
                 icon.height(), key);
}

void TMenuItemPainter::DrawItemText(const std::string& text, UINT format, const TextState& s, RECT tr,
                                    const std::string& shortcut) {
  const xpmenu::EffectivePalette& p = skin_.EffectivePalette();
  canvas_.font.assign(skin_.Font());
  ui::TColor color = skin_.Font().color();
  if (s.Selected) color = tcolor(p.SelectText);
  if (!s.Enabled) color = tcolor(p.DisabledText);
  if (s.Selected && s.BarItem && skin_.UseSystemColors()) color = tcolor(skin_.ContrastTextColor(tcolor(p.IconFace)));
  canvas_.brush.style = ui::BrushStyle::Clear;
  canvas_.setTransparentText(true);
  format |= DT_EXPANDTABS;
  auto draw = [&](RECT r, ui::TColor c) {
    canvas_.font.setColor(c);
    canvas_.drawText(text, r, format);
  };
  if (s.Enabled && s.Default) {
    // A soft bold look: four darker copies around the caption, each darkened from the
    // colour already under its top-left corner.
    struct Shift { int dx, dy, grow, amount; };
    for (Shift sh : {Shift{1, 0, 0, 30}, Shift{1, 2, 1, 30}, Shift{0, 1, 0, 40}, Shift{1, 1, 1, 60}}) {
      RECT r{tr.left + sh.dx, tr.top + sh.dy, tr.right + sh.dx + sh.grow, tr.bottom + sh.dy};
      Rgb under = canvas_.pixel(r.left, r.top);
      draw(r, tcolor(xpmenu::DarkenMenuColor(under, sh.amount)));
    }
  }
  draw(tr, color);
  RECT sr = tr;
  UINT scFormat = format & ~(DT_RIGHT | DT_CENTER);
  if (s.RightToLeft) {
    sr.left += 10;
  } else {
    sr.right -= 10;
    scFormat |= DT_RIGHT;
  }
  canvas_.font.setColor(color);
  std::string sc = shortcut + " ";
  canvas_.drawText(sc, sr, scFormat);
}

void TMenuItemPainter::DrawIconGradient(Rect w, bool rightToLeft) {
  Rgb face = skin_.EffectivePalette().IconFace;
  for (const xpmenu::GradientColumn& c : xpmenu::IconGradientColumns(w, skin_.IconWidth(), rightToLeft))
    Fill({c.X, w.Top, c.X + 1, w.Bottom}, xpmenu::LightenColor(face, c.Percent));
}

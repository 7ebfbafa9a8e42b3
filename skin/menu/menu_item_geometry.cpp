#include "skin/menu/menu_item_geometry.h"

#include <algorithm>

namespace xpmenu {

namespace {

// The icon column on the reading side of W.
Rect iconColumnOf(Rect w, int iconColumnWidth, bool rtl) {
  if (rtl) return {w.Right - iconColumnWidth, w.Top, w.Right, w.Bottom};
  return {w.Left, w.Top, w.Left + iconColumnWidth, w.Bottom};
}

Rect checkRectOf(const ItemLayoutInput& in, Rect ic) {
  bool hasIcon = in.IconW > 0;
  Rect cr;
  if (hasIcon) {
    cr = {ic.Left + 1, ic.Top + 2, ic.Right - 3, ic.Bottom - 2};
  } else {
    int dx = (ic.Width() - 10) / 2, dy = (ic.Height() - 10) / 2;
    cr = {ic.Left + dx, ic.Top + dy, ic.Left + dx + 10, ic.Top + dy + 10};
  }
  if (in.IconW > in.IconWidth) {
    if (in.RightToLeft)
      cr.Left = cr.Right - in.IconW;
    else
      cr.Right = cr.Left + in.IconW;
  }
  if (in.BarItem) cr.Top -= 1;
  return cr;
}

Rect textRectOf(const ItemLayoutInput& in, Rect w) {
  int x1, x2;
  if (!in.RightToLeft) {
    x1 = in.BarItem ? w.Left + 4 : w.Left + in.IconWidth;
    if (x1 < w.Left + in.IconW) x1 = w.Left + in.IconW + 4;
    x2 = w.Right;
  } else {
    x1 = w.Left;
    x2 = in.BarItem ? w.Right - 4 : w.Right - in.IconWidth;
    if (x2 > w.Right - in.IconW) x2 = w.Right - in.IconW - 8;
  }
  Rect tr{x1, w.Top, x2, w.Bottom};
  if (in.BarItem) {
    if (in.IconW <= 0)
      tr = w;
    else if (in.RightToLeft)
      tr.Right += 5;
    else
      tr.Left -= 5;
  }
  return tr;
}

}  // namespace

int HalfRoundedToEven(int n) {
  int q = n >= 0 ? n / 2 : -((-n + 1) / 2);  // floor
  if (n - 2 * q == 1 && (q & 1)) ++q;        // a tie goes to the even neighbour
  return q;
}

ItemLayout LayoutMenuItem(const ItemLayoutInput& in) {
  const Rect& r = in.Item;
  ItemLayout out;
  // Four extra columns on the left cover a pop-up's margin; bar items have none.
  out.Destination = {r.Left - 4, r.Top};
  out.BitmapWidth = r.Width() + 4;
  out.BitmapHeight = r.Height();
  out.Work = {4, 0, r.Width() + 4, r.Height()};
  if (in.BarItem) {
    out.Work.Left = 0;
    out.Destination = {r.Left, r.Top};
    out.Work.Right -= 4;
    out.BitmapWidth -= 4;
    out.Work.Bottom -= 1;
  }
  out.Work.Bottom += 1;
  out.IconColumn = iconColumnOf(out.Work, in.IconWidth, in.RightToLeft);
  out.CheckRect = checkRectOf(in, out.IconColumn);
  out.TextRect = textRectOf(in, out.Work);
  return out;
}

Rect CaptionRect(Rect tr, bool rtl, int letterHeight) {
  if (rtl)
    tr.Right -= 3;
  else
    tr.Left += 3;
  tr.Top += (tr.Height() - letterHeight) / 2;
  return tr;
}

Segment SeparatorLine(Rect tr, bool rtl) {
  int y = tr.Top + HalfRoundedToEven(tr.Height());
  if (rtl) return {{tr.Left, y}, {tr.Right - 7, y}};
  return {{tr.Left + 7, y}, {tr.Right, y}};
}

Point ItemIconPosition(Rect ic, int iconWidth, int iconColumnWidth, bool barItem, bool rtl) {
  Point p{0, ic.Top + 3};
  if (iconWidth < iconColumnWidth)
    p.X = ic.Left + (iconColumnWidth - iconWidth) / 2 - 1;
  else
    p.X = rtl ? ic.Right - iconWidth - 2 : ic.Left + 2;
  if (barItem) p.X = rtl ? ic.Right - iconWidth - 5 : ic.Left + 1;
  return p;
}

Point LiftedIconPosition(Point p, bool barItem) {
  return barItem ? Point{p.X - 1, p.Y - 2} : Point{p.X - 1, p.Y - 1};
}

std::vector<Segment> TickStrokes(Rect c) {
  int l = c.Left, t = c.Top, r = c.Right, b = c.Bottom;
  return {{{l + 1, t + 5}, {l + 4, b - 2}},
          {{l + 2, t + 5}, {l + 4, b - 3}},
          {{l + 2, t + 4}, {l + 5, b - 3}},
          {{l + 4, b - 3}, {r + 2, t - 1}},
          {{l + 4, b - 2}, {r - 2, t + 3}}};
}

std::vector<GradientColumn> IconGradientColumns(Rect a, int iconColumnWidth, bool rtl) {
  std::vector<GradientColumn> out;
  int p = 0;
  auto step = [&](int x, bool inZone) {
    p = std::min(p + (inZone ? 3 : 1), 96);
    out.push_back({x, p});
  };
  if (!rtl) {
    for (int x = a.Left; x < a.Right; ++x) step(x, a.Left < x && x < a.Left + iconColumnWidth + 5);
  } else {
    for (int x = a.Right - 1; x >= a.Left; --x) step(x, a.Right - iconColumnWidth + 5 < x && x < a.Right);
  }
  return out;
}

std::vector<Point> RaisedSelectionOutline(Rect w) {
  return {{w.Left, w.Bottom - 1}, {w.Left, w.Top}, {w.Right - 8, w.Top}, {w.Right - 8, w.Bottom}};
}

std::vector<ShadeFill> RaisedSelectionShadeFills(Rect w) {
  int t = w.Top, r = w.Right, b = w.Bottom;
  return {{{r - 7, t, r, b}, 10}, {{r - 7, t + 3, r - 2, b}, 30}, {{r - 7, t + 5, r - 3, b}, 60},
          {{r - 7, t + 6, r - 5, b}, 100}};
}

std::vector<ShadeLine> RaisedSelectionShadeLines(Rect w) {
  int t = w.Top, r = w.Right;
  return {{{{r - 5, t + 1}, {r - 1, t + 1}, {r - 1, t + 6}}, 0},
          {{{r - 3, t + 2}, {r - 2, t + 2}, {r - 2, t + 3}, {r - 3, t + 3}}, 0},
          {{{r - 6, t + 3}, {r - 3, t + 3}, {r - 3, t + 6}, {r - 4, t + 6}, {r - 4, t + 3}}, 10},
          {{{r - 5, t + 5}, {r - 4, t + 5}, {r - 4, t + 9}}, 30},
          {{{r - 6, t + 5}, {r - 6, t + 7}}, 40}};
}

std::vector<Point> PlainSelectionOutline(Rect w) {
  return {{w.Left, w.Bottom - 1}, {w.Left, w.Top}, {w.Right - 3, w.Top}, {w.Right - 3, w.Bottom}};
}

Rect PlainSelectionStrip(Rect w) { return {w.Right - 2, w.Top + 2, w.Right, w.Bottom}; }
Rect PlainSelectionCorner(Rect w) { return {w.Right - 2, w.Top, w.Right, w.Top + 2}; }

}  // namespace xpmenu

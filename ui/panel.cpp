#include "ui/panel.h"

namespace ui {

namespace {
const std::vector<std::string> kBevels = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
const std::vector<std::string> kAlignments = {"taLeftJustify", "taRightJustify", "taCenter"};
}  // namespace

void frame3D(Canvas& canvas, RECT& r, TColor topLeft, TColor bottomRight, int width) {
  canvas.pen.width = 1;
  canvas.pen.style = PenStyle::Solid;
  --r.bottom;
  --r.right;
  for (int i = 0; i < width; ++i) {
    canvas.pen.color = topLeft;
    canvas.polyline({{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}});
    canvas.pen.color = bottomRight;
    canvas.polyline({{r.right, r.top}, {r.right, r.bottom}, {r.left - 1, r.bottom}});
    InflateRect(&r, -1, -1);
  }
  ++r.bottom;
  ++r.right;
}

const ClassInfo& Panel::staticClassInfo() {
  static const ClassInfo info =
      ClassInfo("TPanel", &WinControl::staticClassInfo(), makeComponent<Panel>)
          .prop(prop::enumeration<Panel, Alignment>("Alignment", kAlignments, Alignment::Center, &Panel::alignment,
                                                    &Panel::setAlignment))
          .prop(prop::enumeration<Panel, Bevel>("BevelInner", kBevels, Bevel::None, &Panel::bevelInner,
                                                &Panel::setBevelInner))
          .prop(prop::enumeration<Panel, Bevel>("BevelOuter", kBevels, Bevel::Raised, &Panel::bevelOuter,
                                                &Panel::setBevelOuter))
          .prop(prop::integer<Panel, int>("BevelWidth", 1, &Panel::bevelWidth, &Panel::setBevelWidth))
          .prop(prop::integer<Panel, int>("BorderWidth", 0, &Panel::borderWidth, &Panel::setBorderWidth))
          .prop(prop::enumeration<Panel, BorderStyle>("BorderStyle", kBorderStyleNames, BorderStyle::None,
                                                      &Panel::borderStyle, &Panel::setBorderStyle));
  return info;
}

Panel::Panel(Component* owner) : WinControl(owner) {
  width_ = 185;
  height_ = 41;
}

void Panel::createParams(CreateParams& params) {
  WinControl::createParams(params);
  params.className = L"UiPanel";
  params.classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
}

void Panel::setBevelOuter(Bevel b) {
  if (b == bevelOuter_) return;
  bevelOuter_ = b;
  realign();
  invalidate();
}
void Panel::setBevelInner(Bevel b) {
  if (b == bevelInner_) return;
  bevelInner_ = b;
  realign();
  invalidate();
}
void Panel::setBevelWidth(int w) {
  if (w == bevelWidth_ || w < 0) return;
  bevelWidth_ = w;
  realign();
  invalidate();
}
void Panel::setBorderWidth(int w) {
  if (w == borderWidth_ || w < 0) return;
  borderWidth_ = w;
  realign();
  invalidate();
}
void Panel::setAlignment(Alignment a) {
  alignment_ = a;
  invalidate();
}

RECT Panel::alignRect() {
  RECT r = clientRect();
  int inset = borderWidth_;
  if (bevelOuter_ != Bevel::None) inset += bevelWidth_;
  if (bevelInner_ != Bevel::None) inset += bevelWidth_;
  InflateRect(&r, -inset, -inset);
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

void Panel::paint(Canvas& canvas) {
  RECT r = clientRect();
  auto bevel = [&](Bevel b) {
    if (b == Bevel::None) return;
    TColor tl = b == Bevel::Lowered ? clBtnShadow : clBtnHighlight;
    TColor br = b == Bevel::Lowered ? clBtnHighlight : clBtnShadow;
    frame3D(canvas, r, tl, br, bevelWidth_);
  };
  bevel(bevelOuter_);
  canvas.brush.color = color_;
  canvas.brush.style = BrushStyle::Solid;
  canvas.fillRect(r);
  InflateRect(&r, -borderWidth_, -borderWidth_);
  bevel(bevelInner_);
  if (!caption_.empty()) {
    canvas.brush.style = BrushStyle::Clear;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS |
                 (alignment_ == Alignment::Center ? DT_CENTER
                  : alignment_ == Alignment::RightJustify ? DT_RIGHT
                                                          : DT_LEFT);
    canvas.drawText(caption_, r, flags);
  }
}

}  // namespace ui

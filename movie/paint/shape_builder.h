#pragma once
// Turns a shape's edges into render paths with the file format's fill semantics: each
// edge bounds its right fill (fill1) as it runs and its left fill (fill0) reversed; the
// edges of one fill style are linked into closed contours and filled even-odd. Within a
// style group the fills are drawn first, then the strokes; groups in order.
#include <vector>

#include "movie/format/shape.h"
#include "movie/render/render.h"

namespace movie::paint {

struct DrawItem {
  bool stroke = false;
  render::Path path;
  render::Paint paint;
  render::FillRule rule = render::FillRule::EvenOdd;  // fills only
  render::StrokeStyle style;  // strokes only
};

struct Drawable {
  std::vector<DrawItem> items;
};

// Stops that shape the ramp, with ties at one ratio reduced to what can show.
std::vector<render::GradientStop> effectiveStops(const std::vector<render::GradientStop>& stops);
render::Paint toPaint(const format::FillStyle& fill);
// false for fills that draw nothing (a bitmap id that named no bitmap).
bool paintable(const format::FillStyle& fill);
Drawable buildDrawable(const format::ShapeOutline& outline);

}  // namespace movie::paint

#include "movie/paint/shape_builder.h"

#include <cmath>
#include <cstring>
#include <unordered_map>

namespace movie::paint {
namespace {

struct Segment {
  float x0, y0, cx, cy, x1, y1;
  bool curve;
};

uint64_t pointKey(float x, float y) {
  uint32_t ix, iy;
  std::memcpy(&ix, &x, 4);
  std::memcpy(&iy, &y, 4);
  if (x == 0) ix = 0;  // -0 and +0 are the same point
  if (y == 0) iy = 0;
  return (uint64_t(ix) << 32) | iy;
}

void appendSegment(render::Path& path, const Segment& s) {
  if (s.curve)
    path.quadTo(s.cx, s.cy, s.x1, s.y1);
  else
    path.lineTo(s.x1, s.y1);
}

// Links directed segments end to start into contours.
render::Path linkContours(const std::vector<Segment>& segs) {
  render::Path path;
  std::unordered_map<uint64_t, std::vector<uint32_t>> byStart;
  byStart.reserve(segs.size() * 2);
  for (uint32_t i = 0; i < segs.size(); ++i) byStart[pointKey(segs[i].x0, segs[i].y0)].push_back(i);
  std::vector<bool> used(segs.size(), false);
  for (uint32_t first = 0; first < segs.size(); ++first) {
    if (used[first]) continue;
    used[first] = true;
    const Segment& s0 = segs[first];
    path.moveTo(s0.x0, s0.y0);
    appendSegment(path, s0);
    uint64_t startKey = pointKey(s0.x0, s0.y0);
    float x = s0.x1, y = s0.y1;
    while (pointKey(x, y) != startKey) {
      auto it = byStart.find(pointKey(x, y));
      if (it == byStart.end()) break;
      std::vector<uint32_t>& candidates = it->second;
      uint32_t next = UINT32_MAX;
      while (!candidates.empty()) {
        uint32_t c = candidates.back();
        candidates.pop_back();
        if (!used[c]) {
          next = c;
          break;
        }
      }
      if (next == UINT32_MAX) break;
      used[next] = true;
      appendSegment(path, segs[next]);
      x = segs[next].x1;
      y = segs[next].y1;
    }
  }
  return path;
}

}  // namespace

std::vector<render::GradientStop> effectiveStops(const std::vector<render::GradientStop>& stops) {
  // Of stops sharing a ratio only the outermost two matter: the colour arriving from
  // the left and the one leaving to the right (a hard step). At ratio 0 nothing arrives
  // from the left and at 255 nothing leaves to the right, so one stop is left there.
  std::vector<render::GradientStop> out;
  size_t n = stops.size();
  for (size_t i = 0; i < n; ++i) {
    size_t j = i;
    while (j + 1 < n && stops[j + 1].ratio == stops[i].ratio) ++j;
    if (stops[i].ratio == 0 && i == 0) {
      out.push_back(stops[j]);
    } else if (stops[i].ratio == 255 && j + 1 == n) {
      out.push_back(stops[i]);
    } else {
      out.push_back(stops[i]);
      if (j != i) out.push_back(stops[j]);
    }
    i = j;
  }
  return out;
}

render::Paint toPaint(const format::FillStyle& fill) {
  switch (fill.kind) {
    case format::FillStyle::Gradient: {
      render::Gradient g = fill.gradient;
      g.stops = effectiveStops(g.stops);
      return g;
    }
    case format::FillStyle::Bitmap:
      return render::BitmapFill{fill.bitmap, fill.bitmapMatrix, fill.repeat, fill.smooth, nullptr};
    case format::FillStyle::Solid:
    default:
      return fill.color;
  }
}

bool paintable(const format::FillStyle& fill) {
  return fill.kind != format::FillStyle::Bitmap || (fill.bitmap && fill.bitmap->width > 0);
}

Drawable buildDrawable(const format::ShapeOutline& outline) {
  Drawable out;
  // Edges of each group, in file order.
  std::vector<std::vector<const format::Edge*>> byGroup(outline.groups.size());
  for (const format::Edge& e : outline.edges)
    if (e.group < byGroup.size()) byGroup[e.group].push_back(&e);

  for (size_t g = 0; g < outline.groups.size(); ++g) {
    const format::StyleGroup& group = outline.groups[g];
    const auto& edges = byGroup[g];
    // Fills: the segments of every style collected in one pass.
    std::vector<std::vector<Segment>> fillSegs(group.fills.size() + 1);
    for (const format::Edge* e : edges) {
      if (e->fill0 == e->fill1) continue;  // same fill both sides: an inner edge
      if (e->fill1 && e->fill1 <= group.fills.size())
        fillSegs[e->fill1].push_back({e->x0, e->y0, e->cx, e->cy, e->x1, e->y1, e->curve});
      if (e->fill0 && e->fill0 <= group.fills.size())
        fillSegs[e->fill0].push_back({e->x1, e->y1, e->cx, e->cy, e->x0, e->y0, e->curve});
    }
    for (size_t f = 1; f <= group.fills.size(); ++f) {
      if (fillSegs[f].empty() || !paintable(group.fills[f - 1])) continue;
      DrawItem item;
      item.path = linkContours(fillSegs[f]);
      item.paint = toPaint(group.fills[f - 1]);
      // Contours keep their fill on the right, so windings of one style add up.
      if (outline.nonZeroFill) item.rule = render::FillRule::NonZero;
      out.items.push_back(std::move(item));
    }
    // Strokes: consecutive edges of a line style form one subpath.
    std::vector<render::Path> linePaths(group.lines.size() + 1);
    std::vector<std::pair<float, float>> pen(group.lines.size() + 1, {NAN, NAN});
    for (const format::Edge* e : edges) {
      if (!e->line || e->line > group.lines.size()) continue;
      render::Path& p = linePaths[e->line];
      auto& at = pen[e->line];
      if (p.empty() || at.first != e->x0 || at.second != e->y0) p.moveTo(e->x0, e->y0);
      if (e->curve)
        p.quadTo(e->cx, e->cy, e->x1, e->y1);
      else
        p.lineTo(e->x1, e->y1);
      at = {e->x1, e->y1};
    }
    for (size_t l = 1; l <= group.lines.size(); ++l) {
      const format::LineStyle& style = group.lines[l - 1];
      if (linePaths[l].empty() || !paintable(style.fill)) continue;
      DrawItem item;
      item.stroke = true;
      item.path = std::move(linePaths[l]);
      item.paint = toPaint(style.fill);
      item.style = style.stroke;
      out.items.push_back(std::move(item));
    }
  }
  return out;
}

}  // namespace movie::paint

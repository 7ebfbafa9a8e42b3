// The drawing entry points: flatten, rasterize, paint.
#include <algorithm>

#include "movie/render/flatten.h"
#include "movie/render/paint.h"
#include "movie/render/rasterizer.h"
#include "movie/render/render.h"
#include "movie/render/stroker.h"

namespace movie::render {

namespace {

using detail::Box;
using detail::Polylines;
using detail::Rasterizer;

// Scratch kept between draws so a frame of many shapes allocates nothing once warm.
struct Scratch {
  Rasterizer ras;
  Polylines lines;
};

Scratch& scratch() {
  thread_local Scratch s;
  return s;
}

void paintCoverage(Surface& target, Rasterizer& ras, FillRule rule, const Paint& paint, const DrawState& state) {
  const Mask* clip = state.clip;
  if (clip && (clip->width() < target.width() || clip->height() < target.height())) clip = nullptr;
  detail::Painter painter(paint, state);
  ras.sweep(rule, [&](int y, const detail::Span* spans, size_t n) {
    painter.paintRow(target.row(y), y, spans, n, clip ? clip->row(y) : nullptr);
  });
}

}  // namespace

void fillPath(Surface& target, const Path& path, const Paint& paint, FillRule rule, const DrawState& state) {
  if (target.width() <= 0 || target.height() <= 0 || path.empty()) return;
  Scratch& s = scratch();
  Box cull{0, 0, double(target.width()), double(target.height())};
  detail::flattenPath(path, state.toDevice, cull, s.lines);
  s.ras.reset(target.width(), target.height(), state.antiAlias);
  s.ras.addClosed(s.lines);
  paintCoverage(target, s.ras, rule, paint, state);
}

void strokePath(Surface& target, const Path& path, const StrokeStyle& style, const Paint& paint, const DrawState& state) {
  if (target.width() <= 0 || target.height() <= 0 || path.empty()) return;
  Scratch& s = scratch();
  // Hairline minimum: never thinner than one device pixel.
  double half = std::max(detail::deviceStrokeWidth(style, state.toDevice), 1.0) / 2;
  double margin = std::min(half, 1e6) + 1;
  Box cull{-margin, -margin, target.width() + margin, target.height() + margin};
  detail::flattenPath(path, state.toDevice, cull, s.lines);
  s.ras.reset(target.width(), target.height(), state.antiAlias);
  detail::strokePolylines(s.lines, half, style, s.ras);
  paintCoverage(target, s.ras, FillRule::NonZero, paint, state);
}

void fillMask(Mask& mask, const Path& path, FillRule rule, const Matrix& toDevice, AntiAlias aa) {
  if (mask.width() <= 0 || mask.height() <= 0 || path.empty()) return;
  Scratch& s = scratch();
  Box cull{0, 0, double(mask.width()), double(mask.height())};
  detail::flattenPath(path, toDevice, cull, s.lines);
  s.ras.reset(mask.width(), mask.height(), aa);
  s.ras.addClosed(s.lines);
  s.ras.sweep(rule, [&](int y, const detail::Span* spans, size_t n) {
    uint8_t* row = mask.row(y);
    for (size_t i = 0; i < n; ++i) {
      const detail::Span& sp = spans[i];
      uint8_t* d = row + sp.x;
      for (int k = 0; k < sp.len; ++k) {
        unsigned sum = d[k] + unsigned(sp.covers ? sp.covers[k] : sp.alpha);
        d[k] = uint8_t(sum > 255 ? 255 : sum);
      }
    }
  });
}

}  // namespace movie::render

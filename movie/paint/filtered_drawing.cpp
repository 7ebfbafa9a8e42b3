#include "movie/paint/filtered_drawing.h"

#include <algorithm>
#include <cmath>

#include "movie/paint/filter_cache.h"
#include "movie/render/filters.h"
#include "movie/render/pixel.h"
#include "movie/timeline/display_list.h"

namespace movie::paint {
namespace {

// Pixels around the target that are drawn too, so that an object just outside still
// casts its shadow or glow inside.
constexpr int kMaxPad = 256;
constexpr int kMaxReach = 1024;
constexpr double kMaxOrigin = 1 << 24;
// Matrices are floats: a corner meant to lie half-way between pixels may come out a hair
// below it.
constexpr double kHalfPixelSlack = 1.0 / 256;

struct Box {
  int x0, y0, x1, y1;  // x1, y1 exclusive
  bool empty() const { return x0 >= x1 || y0 >= y1; }
};

// The smallest box that holds every pixel that is not clear.
Box coveredBox(const render::Surface& s) {
  Box b{s.width(), s.height(), 0, 0};
  for (int y = 0; y < s.height(); ++y) {
    const uint32_t* row = s.row(y);
    int first = 0;
    while (first < s.width() && !row[first]) ++first;
    if (first == s.width()) continue;
    int last = s.width() - 1;
    while (!row[last]) --last;
    b.x0 = std::min(b.x0, first), b.x1 = std::max(b.x1, last + 1);
    b.y0 = std::min(b.y0, y), b.y1 = y + 1;
  }
  return b;
}

render::Surface cropped(const render::Surface& s, const Box& b) {
  render::Surface out(b.x1 - b.x0, b.y1 - b.y0);
  if (out.width() == 0) return out;
  for (int y = b.y0; y < b.y1; ++y) std::copy(s.row(y) + b.x0, s.row(y) + b.x1, out.row(y - b.y0));
  return out;
}

int reachOf(const std::vector<Filter>& filters, float scale) {
  int reach = 0;
  for (const Filter& f : filters) reach = std::min(kMaxReach, reach + render::filterReach(f, scale));
  return reach;
}

// The colour transform on the filtered picture: a shadow or glow takes it as the object does.
void recolour(render::Surface& s, const render::ColorTransform& cx) {
  if (cx.rm == 1 && cx.gm == 1 && cx.bm == 1 && cx.am == 1 && cx.ra == 0 && cx.ga == 0 && cx.ba == 0 && cx.aa == 0)
    return;
  for (uint32_t& p : s.pixels()) p = render::detail::premultiply(cx.apply(render::detail::unpremultiply(p)));
}

// The object drawn moved by (sx, sy) onto the pixel grid, cut down, filtered and coloured,
// for the whole-pixel origin (originX, originY).
FilterCache::Picture drawPicture(const render::Surface& target, const timeline::DisplayObject& obj,
                                 const render::ColorTransform& cx, int originX, int originY, float scale,
                                 float sx, float sy, const DrawInto& draw) {
  FilterCache::Picture picture;
  picture.originX = originX, picture.originY = originY;
  int reach = reachOf(obj.filters, scale), pad = std::min(reach, kMaxPad);
  render::Surface layer(target.width() + 2 * pad, target.height() + 2 * pad);
  draw(layer, float(pad) + sx, float(pad) + sy);  // at the object's own place, the pad aside
  Box covered = coveredBox(layer);
  if (covered.empty()) {
    picture.cut = true;  // perhaps all of it lies beyond the layer
    return picture;
  }
  Box box{std::max(0, covered.x0 - reach), std::max(0, covered.y0 - reach),
          std::min(layer.width(), covered.x1 + reach), std::min(layer.height(), covered.y1 + reach)};
  bool touchesEdge = covered.x0 == 0 || covered.y0 == 0 || covered.x1 == layer.width() || covered.y1 == layer.height();
  picture.cut = touchesEdge || box.x0 != covered.x0 - reach || box.y0 != covered.y0 - reach ||
                box.x1 != covered.x1 + reach || box.y1 != covered.y1 + reach;
  picture.pixels = cropped(layer, box);
  for (const Filter& f : obj.filters) render::applyFilter(picture.pixels, f, scale);
  recolour(picture.pixels, cx);
  picture.left = box.x0 - pad - originX;
  picture.top = box.y0 - pad - originY;
  return picture;
}

// v rounded to a whole pixel, half-way away from zero.
double nearestPixel(double v) {
  return v >= 0 ? std::floor(v + 0.5 + kHalfPixelSlack) : -std::floor(-v + 0.5 + kHalfPixelSlack);
}

}  // namespace

void snapShift(const timeline::DisplayObject& obj, const render::Matrix& device, float scale, float& sx, float& sy) {
  sx = sy = 0;
  script::Bounds b = timeline::boundsUnder(obj, device);
  if (b.empty || !(std::fabs(b.xMin) < kMaxOrigin && std::fabs(b.yMin) < kMaxOrigin)) return;
  double marginX = 0, marginY = 0;
  for (const Filter& f : obj.filters) {
    marginX = std::min(double(kMaxReach), marginX + render::filterMargin(f, scale, false));
    marginY = std::min(double(kMaxReach), marginY + render::filterMargin(f, scale, true));
  }
  // The corner as the stage would place it without its tie shift: the moved object keeps
  // the shift, so that its edges settle ties as everything else on the stage does.
  double left = b.xMin + render::kTieShift, top = b.yMin + render::kTieShift;
  sx = float(nearestPixel(left - marginX) + marginX - left);
  sy = float(nearestPixel(top - marginY) + marginY - top);
}

void drawFiltered(render::Surface& target, const timeline::DisplayObject& obj, const render::Matrix& device,
                  const render::ColorTransform& cx, render::BlendMode mode, const render::Mask* clip,
                  const RenderOptions& options, const DrawInto& draw) {
  if (!std::isfinite(device.tx) || !std::isfinite(device.ty)) return;
  // A picture drawn at one place serves wherever the object moves by whole pixels (its
  // key holds the fraction).
  int originX = int(std::floor(std::clamp(double(device.tx), -kMaxOrigin, kMaxOrigin)));
  int originY = int(std::floor(std::clamp(double(device.ty), -kMaxOrigin, kMaxOrigin)));
  float scale = options.viewPixelsPerTwip * 20;
  FilterCache* cache = options.filterCache;
  float sx, sy;
  snapShift(obj, device, scale, sx, sy);
  SubtreeKey key = cache ? SubtreeKey(obj, device, cx, options, sx, sy) : SubtreeKey();
  const FilterCache::Picture* picture = cache ? cache->find(&obj, key, originX, originY) : nullptr;
  FilterCache::Picture fresh;
  if (!picture) {
    fresh = drawPicture(target, obj, cx, originX, originY, scale, sx, sy, draw);
    fresh.key = std::move(key);
    picture = cache ? &cache->store(&obj, std::move(fresh)) : &fresh;
  }
  render::compositeLayer(target, picture->pixels, mode, clip, originX + picture->left, originY + picture->top);
}

}  // namespace movie::paint

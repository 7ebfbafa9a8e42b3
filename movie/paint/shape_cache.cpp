#include "movie/paint/shape_cache.h"

namespace movie::paint {

namespace {
constexpr size_t kMaxMorphEntries = 2048;
// Drawings change while scripts draw, leaving old versions behind; past these the
// kept ones are dropped and built again as they are drawn.
constexpr size_t kMaxDrawingEntries = 256;
constexpr size_t kMaxDrawingPoints = size_t(8) << 20;

size_t pointsOf(const Drawable& d) {
  size_t n = 0;
  for (const DrawItem& item : d.items) n += item.path.coords.size() / 2;
  return n;
}
}  // namespace

const Drawable& ShapeCache::shape(const format::ShapeDef& def) {
  auto key = std::make_pair(static_cast<const void*>(&def), uint32_t(0x10000));
  auto it = cache_.find(key);
  if (it == cache_.end()) it = cache_.emplace(key, buildDrawable(def.outline)).first;
  return it->second;
}

const Drawable& ShapeCache::morph(const format::MorphShapeDef& def, uint16_t ratio) {
  auto key = std::make_pair(static_cast<const void*>(&def), uint32_t(ratio));
  auto it = cache_.find(key);
  if (it != cache_.end()) return it->second;
  if (morphs_ >= kMaxMorphEntries) {
    // Many ratios: drop the morph entries (shapes are rebuilt on demand anyway).
    for (auto i = cache_.begin(); i != cache_.end();) i = i->first.second < 0x10000 ? cache_.erase(i) : std::next(i);
    morphs_ = 0;
  }
  ++morphs_;
  return cache_.emplace(key, buildDrawable(def.at(ratio))).first->second;
}

const Drawable& ShapeCache::drawing(const timeline::ClipDrawing& drawing) {
  auto it = drawings_.find(drawing.version());
  if (it != drawings_.end()) return it->second;
  Drawable built = buildDrawable(drawing.outline());
  size_t points = pointsOf(built);
  if (drawings_.size() >= kMaxDrawingEntries || drawingPoints_ + points > kMaxDrawingPoints) {
    drawings_.clear();
    drawingPoints_ = 0;
  }
  drawingPoints_ += points;
  return drawings_.emplace(drawing.version(), std::move(built)).first->second;
}

}  // namespace movie::paint

#include "movie/paint/shape_cache.h"

namespace movie::paint {

namespace {
constexpr size_t kMaxMorphEntries = 2048;
}

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

}  // namespace movie::paint

#include "movie/paint/filter_cache.h"

namespace movie::paint {
namespace {

// Pixels all kept pictures may hold together (64 MiB).
constexpr size_t kMaxPixels = size_t(16) << 20;

size_t sizeOf(const FilterCache::Picture& p) { return size_t(p.pixels.width()) * size_t(p.pixels.height()); }

}  // namespace

const FilterCache::Picture* FilterCache::find(const void* object, const SubtreeKey& key, int originX, int originY) {
  auto it = entries_.find(object);
  if (it == entries_.end()) return nullptr;
  const Picture& p = it->second.picture;
  bool moved = originX != p.originX || originY != p.originY;
  if (!(p.key == key) || (p.cut && moved)) return nullptr;
  it->second.used = true;
  ++reused_;
  return &p;
}

const FilterCache::Picture& FilterCache::store(const void* object, Picture picture) {
  ++redrawn_;
  auto it = entries_.find(object);
  if (it != entries_.end()) {
    pixels_ -= sizeOf(it->second.picture);
    entries_.erase(it);
  }
  if (pixels_ + sizeOf(picture) > kMaxPixels) {
    scratch_ = std::move(picture);
    return scratch_;
  }
  pixels_ += sizeOf(picture);
  return entries_.insert_or_assign(object, Entry{std::move(picture), true}).first->second.picture;
}

void FilterCache::sweep() {
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (it->second.used) {
      it->second.used = false;
      ++it;
    } else {
      pixels_ -= sizeOf(it->second.picture);
      it = entries_.erase(it);
    }
  }
  scratch_ = Picture{};
}

void FilterCache::clear() {
  entries_.clear();
  scratch_ = Picture{};
  pixels_ = 0;
}

}  // namespace movie::paint

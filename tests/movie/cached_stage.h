#pragma once
// A movie's stage drawn after each frame with one filter cache, as the player draws it,
// for tests that watch what the cache keeps.
#include <memory>
#include <vector>

#include "movie/format/movie_parser.h"
#include "movie/paint/filter_cache.h"
#include "movie/paint/stage_renderer.h"
#include "movie/timeline/display_list.h"
#include "tools/swf/swf_writer.h"

namespace movie_test {

class CachedStage {
 public:
  explicit CachedStage(const swf::Bytes& bytes) : surface_(100, 100) {
    parser_.append(bytes.data(), bytes.size());
    parser_.finish();
    root_ = std::make_unique<movie::timeline::SpriteInstance>(parser_.movie().root, parser_.movie().characters,
                                                               budget_, 0);
    root_->start();
  }
  // The stage at one pixel per 20 twips, moved by (dx, dy) pixels; without the cache
  // every picture is drawn anew.
  void draw(bool cached = true, float dx = 0, float dy = 0) {
    surface_.clear({255, 255, 255, 255});
    movie::paint::RenderOptions options;
    options.filterCache = cached ? &filters_ : nullptr;
    movie::render::Matrix toPixels;
    toPixels.a = toPixels.d = 1.0f / 20;
    toPixels.tx = dx, toPixels.ty = dy;
    movie::paint::renderTree(surface_, *root_, toPixels, options, shapes_);
  }
  void next() { root_->advance(true, true); }
  movie::timeline::SpriteInstance& clipAt(uint16_t depth) { return *root_->displayList().at(depth).sprite; }
  uint32_t rgbAt(int x, int y) { return surface_.row(y)[x] & 0xFFFFFF; }
  const std::vector<uint32_t>& pixels() { return surface_.pixels(); }
  const movie::paint::FilterCache& filters() const { return filters_; }

 private:
  movie::format::MovieParser parser_;
  movie::timeline::Budget budget_;
  std::unique_ptr<movie::timeline::SpriteInstance> root_;
  movie::render::Surface surface_;
  movie::paint::ShapeCache shapes_;
  movie::paint::FilterCache filters_;
};

}  // namespace movie_test

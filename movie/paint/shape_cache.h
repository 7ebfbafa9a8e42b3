#pragma once
// Drawables built once per shape (and per ratio for morph shapes).
#include <cstdint>
#include <map>
#include <utility>

#include "movie/format/character.h"
#include "movie/paint/shape_builder.h"
#include "movie/timeline/clip_drawing.h"

namespace movie::paint {

class ShapeCache {
 public:
  const Drawable& shape(const format::ShapeDef& def);
  const Drawable& morph(const format::MorphShapeDef& def, uint16_t ratio);
  // A script drawing as it is now (the reference holds until the next call).
  const Drawable& drawing(const timeline::ClipDrawing& drawing);
  void clear() {
    cache_.clear();
    morphs_ = 0;
    drawings_.clear();
    drawingPoints_ = 0;
  }

 private:
  std::map<std::pair<const void*, uint32_t>, Drawable> cache_;
  size_t morphs_ = 0;
  std::map<uint64_t, Drawable> drawings_;  // by drawing version
  size_t drawingPoints_ = 0;
};

}  // namespace movie::paint

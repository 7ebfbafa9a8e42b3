#pragma once
// What an object's drawing depends on, written down so that two frames can be compared:
// its subtree (characters, matrices, colour transforms, ratios, masks, filters, cached
// clips, text revisions, scroll rectangles, script masks, what scripts drew), its matrix
// on the device apart from whole-pixel moves, its colour transform and the drawing
// options. Equal keys draw equal pictures, up to such a move.
#include <cstdint>
#include <memory>
#include <vector>

#include "movie/paint/stage_renderer.h"

namespace movie::paint {

class SubtreeKey {
 public:
  SubtreeKey() = default;
  // device: the object's own matrix on the device; cx: its composed colour transform;
  // (shiftX, shiftY): how far it moves onto the pixel grid, which a whole-pixel move can
  // change where its bitmap's start crosses zero.
  SubtreeKey(const timeline::DisplayObject& obj, const render::Matrix& device, const render::ColorTransform& cx,
             const RenderOptions& options, float shiftX, float shiftY);
  bool operator==(const SubtreeKey& other) const { return values_ == other.values_; }

 private:
  void add(uint64_t v) { values_.push_back(v); }
  void add(float v);
  void add(const render::Matrix& m, bool withTranslation);
  void add(const render::ColorTransform& c);
  void add(const Filter& f);
  void hold(std::shared_ptr<const void> p);
  void addObject(const timeline::DisplayObject& obj, int nesting);
  void addClipping(const timeline::SpriteInstance& sprite, int nesting);
  void addDrawing(const timeline::SpriteInstance& sprite);
  void addChildren(const timeline::SpriteInstance& sprite, int nesting);

  std::vector<uint64_t> values_;
  std::vector<const timeline::SpriteInstance*> masksAdded_;
  // What the key names by address stays alive, so that no new object takes its address.
  std::vector<std::shared_ptr<const void>> held_;
};

}  // namespace movie::paint

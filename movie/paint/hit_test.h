#pragma once
// Whether a stage point lies on what an object draws: the fills of shapes, the boxes of
// bitmaps and text, a clip's children, a button's hit area. Used to find what the
// pointer is over.
#include "movie/format/character.h"
#include "movie/paint/shape_cache.h"
#include "movie/timeline/display_list.h"

namespace movie::paint {

class HitTester {
 public:
  HitTester(ShapeCache& cache, const format::CharacterTable& characters) : cache_(cache), characters_(characters) {}

  // (x, y) in stage twips; toStage: the object's parent to the stage.
  bool objectContains(const timeline::DisplayObject& obj, const Matrix& toStage, double x, double y) const;
  // A clip's drawing and children; contentToStage: the clip's content to the stage.
  bool clipContains(const timeline::SpriteInstance& clip, const Matrix& contentToStage, double x, double y) const {
    return listContains(clip, contentToStage, x, y, 0);
  }
  // The hit area of a button placed with toStage (its own coordinates to the stage).
  bool buttonHit(const format::ButtonDef& button, const Matrix& toStage, double x, double y) const;

 private:
  bool characterContains(const format::Character& c, uint16_t ratio, const Matrix& toStage, double x, double y,
                         int nesting) const;
  // The objects one frame of a definition places (the first frame of a sprite, a
  // button's hit state), without making instances.
  bool frameContains(const format::Frame& frame, const Matrix& toStage, double x, double y, int nesting) const;
  bool listContains(const timeline::SpriteInstance& sprite, const Matrix& toStage, double x, double y,
                    int nesting) const;

  ShapeCache& cache_;
  const format::CharacterTable& characters_;
};

}  // namespace movie::paint

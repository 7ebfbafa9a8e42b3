#pragma once
// Whether a stage point lies on what an object shows: the fills of shapes, the boxes of
// bitmaps and text, a clip's children, a button's hit area, each only where the masks
// over it (clip-depth masks of its list, a mask set by a script, a scroll rectangle)
// let it show. Used to find what the pointer is over.
#include <vector>

#include "movie/format/character.h"
#include "movie/paint/shape_cache.h"
#include "movie/timeline/display_list.h"

namespace movie::paint {

class HitTester {
 public:
  HitTester(ShapeCache& cache, const format::CharacterTable& characters) : cache_(cache), characters_(characters) {}

  // (x, y) in stage twips; toStage: the object's parent's content to the stage. A clip
  // counts only where its script mask and scroll rectangle let it show.
  bool objectContains(const timeline::DisplayObject& obj, const Matrix& toStage, double x, double y) const;
  // A clip's drawing and children; contentToStage: the clip's content to the stage.
  bool clipContains(const timeline::SpriteInstance& clip, const Matrix& contentToStage, double x, double y) const {
    return listContains(clip, contentToStage, x, y, 0, false);
  }
  // The hit area of a button placed with toStage (its own coordinates to the stage).
  bool buttonHit(const format::ButtonDef& button, const Matrix& toStage, double x, double y) const;
  // Whether the clip's scroll rectangle and script mask let the point through; toStage:
  // the clip's own coordinates to the stage.
  bool clippingShows(const timeline::SpriteInstance& sprite, const Matrix& toStage, double x, double y) const;

  // The clip-depth masks of one display list, gathered once to ask about many depths.
  class ListMasks {
   public:
    explicit ListMasks(const timeline::SpriteInstance& sprite);
    // Whether every mask over the depth holds the point; toStage: the list's content
    // to the stage.
    bool shows(const HitTester& hits, uint16_t depth, const Matrix& toStage, double x, double y) const;

   private:
    std::vector<const timeline::DisplayObject*> masks_;
  };

 private:
  bool characterContains(const format::Character& c, uint16_t ratio, const Matrix& toStage, double x, double y,
                         int nesting) const;
  // The objects one frame of a definition places (the first frame of a sprite, a
  // button's hit state), without making instances.
  bool frameContains(const format::Frame& frame, const Matrix& toStage, double x, double y, int nesting) const;
  // inMask: the objects are part of a mask, whose own clips' script masks are not
  // followed (two clips may mask each other).
  bool objectContainsAt(const timeline::DisplayObject& obj, const Matrix& toStage, double x, double y, int nesting,
                        bool inMask) const;
  bool listContains(const timeline::SpriteInstance& sprite, const Matrix& toStage, double x, double y, int nesting,
                    bool inMask) const;
  // A mask's shape holds the point, whether or not the mask is shown.
  bool maskContains(const timeline::DisplayObject& mask, const Matrix& toStage, double x, double y,
                    int nesting) const;
  bool clippingShowsAt(const timeline::SpriteInstance& sprite, const Matrix& toStage, double x, double y,
                       int nesting, bool inMask) const;

  ShapeCache& cache_;
  const format::CharacterTable& characters_;
};

}  // namespace movie::paint

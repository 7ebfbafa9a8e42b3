#pragma once
// Nine-slice scaling: a sprite with a scaling grid keeps its corners at their authored
// size when it is scaled; the edges between them stretch one way, the centre both ways.
// Shapes directly inside such a sprite are warped in the sprite's own coordinates so
// that the sprite's scale, applied afterwards, leaves the outer bands unscaled.
#include "movie/format/records.h"
#include "movie/paint/shape_builder.h"

namespace movie::paint {

class GridWarp {
 public:
  // One axis of the sprite's own space: [min, max] its bounds, [lo, hi] the grid's
  // centre band, scale the sprite's scale along the axis.
  struct Axis {
    float min = 0, lo = 0, hi = 0, max = 0;
    float outer = 1;   // own units per authored unit in the bands outside the grid
    float middle = 1;  // own units per authored unit inside it
    float map(float v) const;
  };

  // False when the grid does not apply: no bounds, a grid outside them, a matrix that
  // rotates, skews or flattens the sprite.
  bool set(const format::Rect& grid, const format::Rect& bounds, float xScale, float yScale);
  // A copy of d, whose paths are in a child's space (childToSprite), warped into the
  // sprite's space; fills keep their placement in the sprite's space.
  Drawable warp(const Drawable& d, const Matrix& childToSprite) const;

 private:
  Axis x_, y_;
};

}  // namespace movie::paint

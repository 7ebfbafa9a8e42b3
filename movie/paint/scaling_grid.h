#pragma once
// Nine-slice scaling: a sprite with a scaling grid keeps its corners at their authored
// size when it is scaled; the edges between them stretch one way, the centre both ways.
// Shapes directly inside such a sprite are bent in the sprite's own coordinates so that
// the sprite's matrix, applied afterwards (scaled, rotated or skewed), leaves the outer
// bands at their authored size along the sprite's axes.
#include <memory>

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
    int bandOf(float v) const { return v < lo ? 0 : v > hi ? 2 : 1; }
    float mapIn(float v, int band) const;  // the band's own stretch, continued past it
    float map(float v) const { return mapIn(v, bandOf(v)); }
  };

  // False when the grid does not apply: no bounds, a grid outside them, a sprite
  // flattened along one of its axes.
  bool set(const format::Rect& grid, const format::Rect& bounds, float xScale, float yScale);
  // A copy of d, whose paths are in a child's space (childToSprite), bent into the
  // sprite's space: cut where they cross the grid's lines, each piece stretched with its
  // band. Bitmap fills stretch band by band with the shape; gradients keep their
  // placement in the sprite's space.
  Drawable warp(const Drawable& d, const Matrix& childToSprite) const;

 private:
  render::Path bend(const render::Path& path, const Matrix& childToSprite) const;

  Axis x_, y_;
  std::shared_ptr<const render::Bend> bend_;
};

}  // namespace movie::paint

#pragma once
// How a fill or stroke is rasterized and composited.
#include "movie/render/mask.h"
#include "movie/value/color_transform.h"
#include "movie/value/matrix.h"

namespace movie::render {

enum class FillRule { NonZero, EvenOdd };
// Pixel centres exactly on an edge belong to the shape right of or below it. Float
// rounding of the twip scale would break such ties either way, so the stage's device
// matrix moves everything up and left by this far-below-visible amount, which settles
// them consistently. Aliased edges round their points to grids; they do so as if the
// shift were not there, so that it decides exact ties only.
constexpr float kTieShift = 1.0f / 1024.0f;

// None: a pixel is in when its centre is; Medium: exact area of the outline snapped to a
// quarter-pixel grid; Full: exact area.
enum class AntiAlias { None, Medium, Full };

// What a fill or stroke is composited with.
struct DrawState {
  Matrix toDevice;  // path space -> surface pixels
  ColorTransform colorTransform;
  AntiAlias antiAlias = AntiAlias::Full;
  const Mask* clip = nullptr;  // nullptr: no clip
  // Aliased strokes' curves: true cuts them at even steps with their chord points on the
  // twip grid (drawn onto the stage); false spaces the points by the curve's bend, off the
  // grid, as aliased fills always are (an object drawn into a bitmap of its own, for its
  // filters or as a cached bitmap).
  bool strokeChordsOnTwips = true;
  // How far (device pixels) a chord may stray from its curve; 0: the quality's own.
  double curveTolerance = 0;
};

}  // namespace movie::render

#pragma once
// A gradient: colour stops along a line or from a centre, placed by a matrix.
#include <cstdint>
#include <vector>

#include "movie/value/color.h"
#include "movie/value/matrix.h"

namespace movie {

struct GradientStop {
  uint8_t ratio = 0;  // 0..255 along the gradient
  Color color;
};

enum class Spread { Pad, Reflect, Repeat };
enum class Interpolation { Normal, LinearRGB };

// Gradient space is the square -16384..16384 (twips of the gradient box); matrix maps it
// into path space. Linear runs along x; radial is the distance from the centre; focal
// moves the focus along x by focal * radius (-1..1).
struct Gradient {
  enum Kind { Linear, Radial, Focal } kind = Linear;
  std::vector<GradientStop> stops;  // 1..15, ratios ascending
  Spread spread = Spread::Pad;
  Interpolation interpolation = Interpolation::Normal;
  float focal = 0;
  Matrix matrix;
};

}  // namespace movie

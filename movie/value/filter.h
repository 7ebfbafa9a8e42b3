#pragma once
// A display object's filter, as read from its placement: one of the file's filter kinds
// with its parameters in pixels.
#include <cstdint>
#include <vector>

#include "movie/value/color.h"
#include "movie/value/gradient.h"

namespace movie {

struct Filter {
  enum Kind : uint8_t { DropShadow, Blur, Glow, Bevel, GradientGlow, Convolution, ColorMatrix, GradientBevel } kind = Blur;
  float blurX = 0, blurY = 0;  // pixels
  int passes = 1;              // quality: box blurs in a row
  // Shadows, glows and bevels.
  Color color;                 // drop shadow, glow; bevel highlight
  Color shadowColor;           // bevel shadow
  float angle = 0;             // radians
  float distance = 0;          // pixels
  float strength = 1;
  bool inner = false, knockout = false, compositeSource = true, onTop = false;
  std::vector<GradientStop> stops;  // gradient glow and bevel
  // Colour matrix: 4 rows of 5 (red, green, blue, alpha, offset in 0..255).
  float matrix[20] = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
  // Convolution.
  int matrixX = 0, matrixY = 0;
  std::vector<float> kernel;
  float divisor = 1, bias = 0;
  Color defaultColor;
  bool clamp = true, preserveAlpha = true;
};

}  // namespace movie

#pragma once
// Filters of a placement and the encoder of their list.
#include <cstdint>
#include <vector>

#include "tools/swf/shape_styles.h"

namespace swf {

// One filter of a PlaceObject3 filter list, in the file's terms: sizes and distances
// in pixels (16.16), angles in radians, strength in 8.8.
struct FilterRecord {
  enum Kind : uint8_t { kDropShadow, kBlur, kGlow, kBevel, kGradientGlow, kConvolution, kColorMatrix, kGradientBevel };
  Kind kind = kBlur;
  double blurX = 0, blurY = 0;
  double angle = 0, distance = 0, strength = 1;
  int passes = 1;                   // quality
  Rgba color;                       // shadow and glow colour; a bevel's highlight
  Rgba shadowColor;                 // a bevel's shadow
  bool inner = false, knockout = false, compositeSource = true, onTop = false;
  std::vector<GradientStop> stops;  // gradient glow and gradient bevel
  std::vector<float> colorMatrix;   // 20 values: rows of red, green, blue, alpha
  uint8_t matrixX = 0, matrixY = 0; // convolution kernel columns and rows
  std::vector<float> kernel;
  float divisor = 1, bias = 0;
  Rgba defaultColor;
  bool clamp = true, preserveAlpha = false;
};
Bytes encodeFilters(const std::vector<FilterRecord>& filters);

}  // namespace swf

#pragma once
// Fill and line styles of shapes.
#include <cstdint>
#include <vector>

#include "tools/swf/records.h"

namespace swf {

struct GradientStop {
  uint8_t ratio = 0;
  Rgba color;
};

struct FillStyle {
  enum Type : uint8_t {
    kSolid = 0x00,
    kLinear = 0x10,
    kRadial = 0x12,
    kFocalRadial = 0x13,    // DefineShape4 only
    kRepeatingBitmap = 0x40,
    kClippedBitmap = 0x41,
    kRepeatingBitmapHard = 0x42,  // not smoothed
    kClippedBitmapHard = 0x43,
  };
  Type type = kSolid;
  Rgba color;                       // solid
  Matrix matrix;                    // gradient or bitmap matrix
  std::vector<GradientStop> stops;  // gradients, 1..15 stops
  uint8_t spreadMode = 0;           // 0 pad, 1 reflect, 2 repeat
  uint8_t interpolationMode = 0;    // 0 normal RGB, 1 linear RGB
  double focalPoint = 0;            // focal radial, -1..1
  uint16_t bitmapId = 0;            // bitmap fills

  static FillStyle solid(Rgba c);
  static FillStyle linear(const Matrix& m, std::vector<GradientStop> stops);
  static FillStyle radial(const Matrix& m, std::vector<GradientStop> stops);
  static FillStyle focalRadial(const Matrix& m, std::vector<GradientStop> stops, double focal);
  static FillStyle bitmap(uint16_t id, const Matrix& m, bool clipped = false, bool smoothed = true);
};

struct LineStyle {
  uint16_t width = 20;  // twips
  Rgba color;
  // DefineShape4 extras (LINESTYLE2): caps 0 round, 1 none, 2 square; joins 0 round,
  // 1 bevel, 2 miter.
  uint8_t startCap = 0, endCap = 0, join = 0;
  double miterLimit = 3.0;
};

}  // namespace swf

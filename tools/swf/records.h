#pragma once
// The basic records of a movie file: tag codes, rectangles, colours, matrices, colour
// transforms, and their encoders.
#include <cstdint>

#include "tools/swf/bit_writer.h"

namespace swf {

// Tag codes used by the writer.
enum TagCode : uint16_t {
  kTagEnd = 0,
  kTagShowFrame = 1,
  kTagDefineShape = 2,
  kTagPlaceObject = 4,
  kTagRemoveObject = 5,
  kTagSetBackgroundColor = 9,
  kTagDefineBitsLossless = 20,
  kTagDefineShape2 = 22,
  kTagPlaceObject2 = 26,
  kTagRemoveObject2 = 28,
  kTagDefineShape3 = 32,
  kTagDefineBitsLossless2 = 36,
  kTagDefineSprite = 39,
  kTagFrameLabel = 43,
  kTagFileAttributes = 69,
  kTagPlaceObject3 = 70,
  kTagDefineShape4 = 83,
};

inline constexpr int32_t twips(double pixels) {
  return static_cast<int32_t>(pixels * 20.0 + (pixels < 0 ? -0.5 : 0.5));
}

struct Rect {
  int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 255;
};
inline constexpr Rgba rgb(uint32_t rrggbb, uint8_t alpha = 255) {
  return Rgba{uint8_t(rrggbb >> 16), uint8_t(rrggbb >> 8), uint8_t(rrggbb), alpha};
}

// x' = scaleX*x + rotateSkew1*y + translateX ; y' = rotateSkew0*x + scaleY*y + translateY
struct Matrix {
  double scaleX = 1, scaleY = 1, rotateSkew0 = 0, rotateSkew1 = 0;
  int32_t translateX = 0, translateY = 0;

  static Matrix translate(int32_t x, int32_t y);
  // Scale, then rotate by degrees (clockwise on screen, y points down), then move.
  static Matrix transform(double scaleX, double scaleY, double degrees, int32_t x, int32_t y);
  // Maps the 32768-twip gradient square onto a box, rotated by degrees about its centre.
  static Matrix gradientBox(int32_t x, int32_t y, int32_t width, int32_t height,
                            double degrees = 0);
  // Maps bitmap pixels to twips: one pixel is `pixelSize` pixels on stage, origin at x, y.
  static Matrix bitmap(int32_t x, int32_t y, double pixelSize = 1.0);
};

// Multiply terms in 8.8 fixed point (256 = 1.0), add terms -255..255 (alpha included).
struct ColorTransform {
  int16_t multR = 256, multG = 256, multB = 256, multA = 256;
  int16_t addR = 0, addG = 0, addB = 0, addA = 0;
  static ColorTransform alpha(double opacity);  // only the alpha multiplier set
  bool hasMult() const;
  bool hasAdd() const;
};

// Encoders of the basic records (byte-aligned at both ends).
Bytes encodeRect(const Rect& r);
Bytes encodeMatrix(const Matrix& m);
Bytes encodeColorTransform(const ColorTransform& c, bool withAlpha = true);
// A tag: short header when the body is under 63 bytes unless forceLong.
Bytes encodeTag(uint16_t code, const Bytes& body, bool forceLong = false);

}  // namespace swf

// Hue-based palettes.
#include "tools/sample-content/palette.h"

#include <cmath>

namespace sample {

swf::Rgba hsv(double hue, double saturation, double value, uint8_t alpha) {
  hue = std::fmod(hue, 360.0);
  if (hue < 0) hue += 360.0;
  const double c = value * saturation;
  const double x = c * (1 - std::fabs(std::fmod(hue / 60.0, 2.0) - 1));
  const double m = value - c;
  double r = 0, g = 0, b = 0;
  switch (int(hue / 60.0)) {
    case 0: r = c, g = x; break;
    case 1: r = x, g = c; break;
    case 2: g = c, b = x; break;
    case 3: g = x, b = c; break;
    case 4: r = x, b = c; break;
    default: r = c, b = x; break;
  }
  auto byte = [m](double v) { return uint8_t(std::lround((v + m) * 255.0)); };
  return swf::Rgba{byte(r), byte(g), byte(b), alpha};
}

LessonPalette paletteFor(int lesson) {
  const double h = lesson * 137.508;
  LessonPalette p;
  p.background = hsv(h, 0.12, 1.0);
  p.skyTop = hsv(h, 0.35, 1.0);
  p.skyBottom = hsv(h + 40, 0.15, 1.0);
  p.accent = hsv(h + 180, 0.85, 0.9);
  p.shadow = hsv(h + 180, 0.6, 0.35);
  p.ball[0] = hsv(h + 90, 0.8, 1.0);
  p.ball[1] = hsv(h + 210, 0.75, 0.95);
  p.ball[2] = hsv(h + 300, 0.7, 1.0);
  p.star = hsv(50, 0.9, 1.0);
  p.petal = hsv(h + 330, 0.55, 1.0);
  p.flowerCentre = hsv(45, 0.95, 1.0);
  return p;
}

}  // namespace sample

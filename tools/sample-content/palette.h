#pragma once
// Colour schemes for the sample lessons: each lesson gets its own hue family.
#include <cstdint>

#include "tools/swf/swf_writer.h"

namespace sample {

// Hue in degrees (any value, wrapped), saturation and value 0..1.
swf::Rgba hsv(double hue, double saturation, double value, uint8_t alpha = 255);

struct LessonPalette {
  swf::Rgba background;  // pale stage colour
  swf::Rgba skyTop, skyBottom;
  swf::Rgba accent;      // digits
  swf::Rgba shadow;      // digit shadow and outlines
  swf::Rgba ball[3];
  swf::Rgba star;
  swf::Rgba petal, flowerCentre;
};

// Lessons 1..38 get hues spread around the colour wheel by the golden angle, so
// neighbouring lessons never look alike.
LessonPalette paletteFor(int lesson);

}  // namespace sample

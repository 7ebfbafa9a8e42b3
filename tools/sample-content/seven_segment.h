#pragma once
// Lesson numbers drawn big as seven-segment digits made of rectangles.
#include <cstdint>
#include <string>

#include "tools/swf/swf_writer.h"

namespace sample {

// Segment masks, bit 0 = a (top) ... bit 6 = g (middle), for the digits 0 to 9.
uint8_t segmentsOf(int digit);

// Adds the digit's lit segments to the shape as separate rectangles that never
// overlap (corners stay open), in a box of width x height twips at x, y.
void addDigit(swf::Shape& shape, int digit, int32_t x, int32_t y, int32_t width, int32_t height,
              int fill);

// Adds a number's digits side by side, each width wide with a gap between them.
void addNumber(swf::Shape& shape, const std::string& digits, int32_t x, int32_t y,
               int32_t width, int32_t height, int32_t gap, int fill);

}  // namespace sample

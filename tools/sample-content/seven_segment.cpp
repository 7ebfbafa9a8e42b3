// Seven-segment digits as rectangles.
#include "tools/sample-content/seven_segment.h"

#include <stdexcept>

namespace sample {

uint8_t segmentsOf(int digit) {
  static constexpr uint8_t kMasks[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
  if (digit < 0 || digit > 9) throw std::invalid_argument("not a decimal digit");
  return kMasks[digit];
}

void addDigit(swf::Shape& shape, int digit, int32_t x, int32_t y, int32_t width, int32_t height,
              int fill) {
  const uint8_t mask = segmentsOf(digit);
  const int32_t t = width / 4;             // stroke thickness: bold, for small readers
  const int32_t half = height / 2;
  const int32_t across = width - 2 * t;    // horizontal segments, between the corners
  const int32_t upper = half - t / 2 - t;  // vertical segments, between the bars
  const int32_t lower = height - t - (half + t / 2);
  auto on = [mask](int bit) { return (mask >> bit) & 1; };
  if (on(0)) shape.rect(x + t, y, across, t, fill);                            // a
  if (on(1)) shape.rect(x + width - t, y + t, t, upper, fill);                 // b
  if (on(2)) shape.rect(x + width - t, y + half + t / 2, t, lower, fill);      // c
  if (on(3)) shape.rect(x + t, y + height - t, across, t, fill);               // d
  if (on(4)) shape.rect(x, y + half + t / 2, t, lower, fill);                  // e
  if (on(5)) shape.rect(x, y + t, t, upper, fill);                             // f
  if (on(6)) shape.rect(x + t, y + half - t / 2, across, t, fill);             // g
}

void addNumber(swf::Shape& shape, const std::string& digits, int32_t x, int32_t y,
               int32_t width, int32_t height, int32_t gap, int fill) {
  for (char c : digits) {
    addDigit(shape, c - '0', x, y, width, height, fill);
    x += width + gap;
  }
}

}  // namespace sample

#pragma once
#include <memory>
#include <string>
#include <vector>

#include "page/color.h"
#include "page/image/image.h"
#include "page/text_measurer.h"

namespace page {

// Display list: items in painting order, in view pixels (the scroll offset is already
// applied). Clips nest: PushClip intersects the current clip with the rect, PopClip
// restores the previous one.
struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  bool contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
  bool operator==(const Rect&) const = default;
};

enum class ItemKind { FillRect, Text, Image, PushClip, PopClip };

struct DisplayItem {
  ItemKind kind = ItemKind::FillRect;
  Rect rect;                // FillRect: area; Text: the run's box; Image: destination (the
                            // image is stretched to it); PushClip: the clip
  Color color = 0;          // FillRect and Text
  FontSpec font;            // Text
  std::u32string text;      // Text, one run in one font
  int baseline = 0;         // Text: y of the baseline in view pixels
  std::shared_ptr<const Image> image;  // Image
  int frame = 0;            // Image: which frame of an animated image to show
};

using DisplayList = std::vector<DisplayItem>;

}  // namespace page

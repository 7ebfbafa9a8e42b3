#pragma once
// PlaceObject2 with clip event handlers (onClipEvent, on(press) ...), in the layout of
// movies of version 6 and later (32-bit event flags).
#include <cstdint>
#include <vector>

#include "tools/swf/actions.h"
#include "tools/swf/swf_writer.h"

namespace swf {

struct ClipHandler {
  uint32_t events = 0;  // 0x01 load, 0x02 enterFrame, 0x08 mouseMove, 0x10 mouseDown, ...
  uint8_t key = 0;      // for key presses (0x20000)
  Actions actions;
};

void placeWithHandlers(TagList& tags, const Place& place, const std::vector<ClipHandler>& handlers);

}  // namespace swf

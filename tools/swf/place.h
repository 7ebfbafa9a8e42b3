#pragma once
// One display list placement.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/swf/filter_record.h"

namespace swf {

// One display list placement (PlaceObject2 / PlaceObject3).
struct Place {
  uint16_t depth = 1;
  std::optional<uint16_t> characterId;  // absent: modify what the depth holds
  bool move = false;                     // modify (with or without a new character)
  std::optional<Matrix> matrix;
  std::optional<ColorTransform> colorTransform;
  std::optional<uint16_t> ratio;
  std::optional<std::string> name;
  std::optional<uint16_t> clipDepth;
  // PlaceObject3 only.
  std::optional<uint8_t> blendMode;  // 1 normal, 2 layer, 3 multiply, ...
  std::optional<bool> cacheAsBitmap;
  std::optional<bool> visible;
  std::vector<FilterRecord> filters;  // none: no filter list
};

}  // namespace swf

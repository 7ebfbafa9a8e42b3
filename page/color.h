#pragma once
#include <cstdint>

namespace page {

// Colours are 0xAARRGGBB; colours in the display list are opaque (alpha 0xFF).
using Color = uint32_t;

}  // namespace page

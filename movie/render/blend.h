#pragma once
// Blend modes: how a layer (an object drawn on its own) is put onto what lies beneath.
#include <cstdint>

#include "movie/render/render.h"

namespace movie::render {

// Numbered as the movie file numbers them; 0 also means Normal.
enum class BlendMode : uint8_t {
  Normal = 1,
  Layer,
  Multiply,
  Screen,
  Lighten,
  Darken,
  Difference,
  Add,
  Subtract,
  Invert,
  Alpha,
  Erase,
  Overlay,
  Hardlight
};

// The mode of a file's blend byte; unknown values are Normal.
BlendMode blendModeOf(uint8_t value);

// One premultiplied pixel of a layer over one of the target, 0xAARRGGBB both.
uint32_t blendPixel(uint32_t dst, uint32_t src, BlendMode mode);

// Composites a layer onto the target, the layer's top left at (originX, originY) of the
// target; where a clip is given, its coverage weighs the result against what was there.
// Nothing outside the layer's rectangle changes, whatever the mode.
void compositeLayer(Surface& target, const Surface& layer, BlendMode mode, const Mask* clip, int originX = 0,
                    int originY = 0);

}  // namespace movie::render

#pragma once
// The banner's small animated pictures, drawn in code and encoded as GIF.
#include <cstdint>
#include <vector>

#include "tools/sample-content/gif_encoder.h"

namespace sample {

// A yellow star turning and twinkling, on a transparent background (40 x 40).
GifImage twinklingStar();
// A red ball bouncing on a short green line, on a transparent background (40 x 40).
GifImage bouncingBall();

}  // namespace sample

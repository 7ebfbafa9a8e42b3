#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace page {

// Images, decoded. Every frame is a whole canvas (width * height pixels, already composed
// over the previous frames as the GIF's disposal asks), so the host blits one frame as is.
// Pixels are premultiplied 0xAARRGGBB, rows top-down, stride = width: the layout of a
// top-down 32-bit DIB section, ready for AlphaBlend.
struct ImageFrame {
  std::vector<uint32_t> pixels;
  int delayMs = 0;  // how long this frame shows; 0 for still images
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<ImageFrame> frames;  // at least one for a decoded image
  int loopCount = 0;               // GIF: 0 = forever, n = play n times; stills: 0
  bool animated() const { return frames.size() > 1; }
};

// Decodes GIF (all frames, timing, transparency), PNG and JPEG. Returns nothing for data
// that is not an image, is broken beyond its first frame, or exceeds the bounds in
// page/limits.h.
std::shared_ptr<const Image> decodeImage(const uint8_t* data, size_t size);

}  // namespace page

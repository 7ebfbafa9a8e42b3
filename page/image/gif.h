#pragma once
// GIF decoding with every frame composed to a whole canvas, frame delays, transparency,
// disposal and the loop count of the NETSCAPE2.0 extension.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "page/page.h"

namespace page {

// Nothing when the data is not a GIF or no frame could be decoded; frames after a broken
// one are dropped (what decoded before it is kept).
std::shared_ptr<Image> decodeGif(const uint8_t* data, size_t size);

// Decodes one LZW image stream (the sub-blocks already joined) into `pixelCount` colour
// indices. Returns how many indices it produced; a short or corrupt stream stops early.
size_t decodeLzw(const uint8_t* data, size_t size, int minCodeSize, uint8_t* out, size_t pixelCount);

}  // namespace page

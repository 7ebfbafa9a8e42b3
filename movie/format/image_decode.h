#pragma once
// Compressed image data (JPEG, PNG, GIF) to premultiplied pixels.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "movie/value/bitmap.h"

namespace movie::format {

constexpr int kMaxBitmapPixels = 4096 * 4096;

// Decodes the first image in data; null when it is not a readable image or too large.
std::shared_ptr<Bitmap> decodeImage(const uint8_t* data, size_t size);

// Straight RGBA (as decoded) to a premultiplied 0xAARRGGBB pixel.
inline uint32_t premultiply(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  auto mul = [a](uint8_t c) { return uint32_t((c * a + 127) / 255); };
  return (uint32_t(a) << 24) | (mul(r) << 16) | (mul(g) << 8) | mul(b);
}

}  // namespace movie::format

// Image decoding: GIF by our own decoder (it keeps frame timing), PNG and JPEG by stb.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 16384
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include <climits>

#include "page/image/gif.h"
#include "page/page.h"

namespace page {

std::shared_ptr<const Image> decodeImage(const uint8_t* data, size_t size) {
  if (!data || size == 0 || size > kMaxImageBytes) return nullptr;
  if (size >= 4 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F') return decodeGif(data, size);
  int w = 0, h = 0, channels = 0;
  if (size > size_t(INT_MAX)) return nullptr;
  if (!stbi_info_from_memory(data, int(size), &w, &h, &channels)) return nullptr;
  if (w <= 0 || h <= 0 || int64_t(w) * h > kMaxImagePixels) return nullptr;
  unsigned char* rgba = stbi_load_from_memory(data, int(size), &w, &h, &channels, 4);
  if (!rgba) return nullptr;
  auto image = std::make_shared<Image>();
  image->width = w;
  image->height = h;
  ImageFrame frame;
  frame.pixels.resize(size_t(w) * h);
  for (size_t i = 0; i < frame.pixels.size(); ++i) {
    const unsigned char* p = rgba + i * 4;
    uint32_t a = p[3];
    uint32_t r = p[0] * a / 255, g = p[1] * a / 255, b = p[2] * a / 255;  // premultiplied
    frame.pixels[i] = (a << 24) | (r << 16) | (g << 8) | b;
  }
  stbi_image_free(rgba);
  image->frames.push_back(std::move(frame));
  return image;
}

}  // namespace page

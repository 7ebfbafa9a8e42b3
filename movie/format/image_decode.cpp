#include "movie/format/image_decode.h"

#include <climits>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace movie::format {

std::shared_ptr<Bitmap> decodeImage(const uint8_t* data, size_t size) {
  if (!data || size == 0 || size > size_t(INT_MAX)) return nullptr;
  int w = 0, h = 0, channels = 0;
  if (!stbi_info_from_memory(data, int(size), &w, &h, &channels)) return nullptr;
  if (w <= 0 || h <= 0 || int64_t(w) * h > kMaxBitmapPixels) return nullptr;
  stbi_uc* pixels = stbi_load_from_memory(data, int(size), &w, &h, &channels, 4);
  if (!pixels) return nullptr;
  auto bitmap = std::make_shared<Bitmap>();
  bitmap->width = w;
  bitmap->height = h;
  bitmap->pixels.resize(size_t(w) * h);
  for (size_t i = 0; i < bitmap->pixels.size(); ++i) {
    const stbi_uc* p = pixels + i * 4;
    bitmap->pixels[i] = premultiply(p[0], p[1], p[2], p[3]);
  }
  stbi_image_free(pixels);
  return bitmap;
}

}  // namespace movie::format

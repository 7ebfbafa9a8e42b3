// The tests' one copy of stb_image, used to decode GIF files.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include "gif_decode.h"

DecodedGif decodeGif(const std::vector<uint8_t>& file) {
  DecodedGif d;
  int* delays = nullptr;
  int comp = 0;
  stbi_uc* pixels = stbi_load_gif_from_memory(file.data(), int(file.size()), &delays, &d.width,
                                              &d.height, &d.frames, &comp, 4);
  if (!pixels) return DecodedGif{};
  d.rgba.assign(pixels, pixels + size_t(d.width) * d.height * 4 * d.frames);
  d.delaysMs.assign(delays, delays + d.frames);
  stbi_image_free(pixels);
  stbi_image_free(delays);
  return d;
}

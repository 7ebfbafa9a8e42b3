#include "picture_bytes.h"

#include <vector>

#include "tools/stb_write_private.h"

namespace movie_test {
namespace {

std::vector<uint8_t> rgbPlane(int width, int height, uint32_t rgb) {
  std::vector<uint8_t> out(size_t(width) * height * 3);
  for (size_t i = 0; i < out.size(); i += 3) {
    out[i] = uint8_t(rgb >> 16);
    out[i + 1] = uint8_t(rgb >> 8);
    out[i + 2] = uint8_t(rgb);
  }
  return out;
}

void appendTo(void* context, void* data, int size) {
  auto* out = static_cast<swf::Bytes*>(context);
  out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

}  // namespace

swf::Bytes pngOf(int width, int height, uint32_t rgb) {
  swf::Bytes out;
  std::vector<uint8_t> plane = rgbPlane(width, height, rgb);
  stbi_write_png_to_func(appendTo, &out, width, height, 3, plane.data(), width * 3);
  return out;
}

swf::Bytes jpegOf(int width, int height, uint32_t rgb) {
  swf::Bytes out;
  std::vector<uint8_t> plane = rgbPlane(width, height, rgb);
  stbi_write_jpg_to_func(appendTo, &out, width, height, 3, plane.data(), 95);
  return out;
}

swf::Bytes gifPixelOf(uint32_t rgb, bool gif89) {
  const char* version = gif89 ? "GIF89a" : "GIF87a";
  swf::Bytes out(version, version + 6);
  // A 1 x 1 screen with a global table of two colours, the first ours.
  const uint8_t screen[] = {1, 0, 1, 0, 0x80, 0, 0, uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), 0, 0, 0};
  // The image: 1 x 1 at the origin; its codes (2-bit minimum): clear, colour 0, end.
  const uint8_t image[] = {',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0, ';'};
  out.insert(out.end(), std::begin(screen), std::end(screen));
  out.insert(out.end(), std::begin(image), std::end(image));
  return out;
}

}  // namespace movie_test

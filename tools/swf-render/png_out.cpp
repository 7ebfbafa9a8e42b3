#include "png_out.h"

#include <algorithm>

#include "tools/stb_write_private.h"

bool writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb) {
  std::vector<uint8_t> rgba(size_t(width) * height * 4);
  for (size_t i = 0; i < argb.size() && i * 4 < rgba.size(); ++i) {
    uint32_t p = argb[i];
    uint32_t a = p >> 24;
    auto straight = [a](uint32_t c) { return uint8_t(a == 0 ? 0 : std::min<uint32_t>(255, (c * 255 + a / 2) / a)); };
    rgba[i * 4 + 0] = straight((p >> 16) & 0xFF);
    rgba[i * 4 + 1] = straight((p >> 8) & 0xFF);
    rgba[i * 4 + 2] = straight(p & 0xFF);
    rgba[i * 4 + 3] = uint8_t(a);
  }
  return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

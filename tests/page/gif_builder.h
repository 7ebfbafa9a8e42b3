#pragma once
// Builds small GIF files for the tests: a real LZW encoder and the GIF blocks around it.
#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace page::test {

// Standard GIF LZW encoding (variable code width, clear code first, end code last).
inline std::vector<uint8_t> lzwEncode(const std::vector<uint8_t>& indices, int minCodeSize) {
  const int clear = 1 << minCodeSize, end = clear + 1;
  std::vector<uint8_t> out;
  uint32_t bits = 0;
  int bitCount = 0, codeSize = minCodeSize + 1, next = clear + 2;
  auto emit = [&](int code) {
    bits |= uint32_t(code) << bitCount;
    bitCount += codeSize;
    while (bitCount >= 8) {
      out.push_back(uint8_t(bits));
      bits >>= 8;
      bitCount -= 8;
    }
  };
  std::map<std::pair<int, int>, int> table;
  emit(clear);
  int prefix = -1;
  for (uint8_t c : indices) {
    if (prefix < 0) { prefix = c; continue; }
    auto it = table.find({prefix, c});
    if (it != table.end()) { prefix = it->second; continue; }
    emit(prefix);
    if (next < 4096) {
      table[{prefix, c}] = next++;
      if (next > (1 << codeSize) && codeSize < 12) ++codeSize;
    } else {
      emit(clear);
      table.clear();
      next = clear + 2;
      codeSize = minCodeSize + 1;
    }
    prefix = c;
  }
  if (prefix >= 0) emit(prefix);
  emit(end);
  if (bitCount > 0) out.push_back(uint8_t(bits));
  return out;
}

struct GifFrame {
  int x = 0, y = 0, w = 0, h = 0;
  std::vector<uint8_t> indices;
  int delayCs = 0;
  int transparent = -1;
  int disposal = 0;
  bool interlaced = false;
};

// A GIF with a 4-colour global table: 0 black, 1 red, 2 green, 3 blue.
inline std::vector<uint8_t> buildGif(int w, int h, const std::vector<GifFrame>& frames, int loops = -1) {
  std::vector<uint8_t> g = {'G', 'I', 'F', '8', '9', 'a', uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8),
                            0x81, 0, 0};
  const uint8_t table[12] = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
  g.insert(g.end(), table, table + 12);
  if (loops >= 0) {
    const uint8_t app[] = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
                           3, 1, uint8_t(loops), uint8_t(loops >> 8), 0};
    g.insert(g.end(), app, app + sizeof app);
  }
  for (const GifFrame& f : frames) {
    const uint8_t gce[] = {0x21, 0xF9, 4, uint8_t((f.disposal << 2) | (f.transparent >= 0 ? 1 : 0)),
                           uint8_t(f.delayCs), uint8_t(f.delayCs >> 8), uint8_t(f.transparent >= 0 ? f.transparent : 0), 0};
    g.insert(g.end(), gce, gce + sizeof gce);
    const uint8_t desc[] = {0x2C, uint8_t(f.x), uint8_t(f.x >> 8), uint8_t(f.y), uint8_t(f.y >> 8),
                            uint8_t(f.w), uint8_t(f.w >> 8), uint8_t(f.h), uint8_t(f.h >> 8),
                            uint8_t(f.interlaced ? 0x40 : 0)};
    g.insert(g.end(), desc, desc + sizeof desc);
    g.push_back(2);
    std::vector<uint8_t> data = lzwEncode(f.indices, 2);
    for (size_t i = 0; i < data.size(); i += 255) {
      size_t n = std::min<size_t>(255, data.size() - i);
      g.push_back(uint8_t(n));
      g.insert(g.end(), data.begin() + long(i), data.begin() + long(i + n));
    }
    g.push_back(0);
  }
  g.push_back(0x3B);
  return g;
}

}  // namespace page::test

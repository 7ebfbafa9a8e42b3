// Runs arbitrary bytes as the action code of a small movie: the first byte picks the
// movie version (4 to 11); the rest is the DoAction body of both frames. Three frames run.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "movie/player.h"

namespace {

void put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& b, uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}

// A long-form tag header, then the body.
void tag(std::vector<uint8_t>& out, uint16_t code, const uint8_t* body, size_t size) {
  put16(out, uint32_t(code << 6) | 0x3F);
  put32(out, uint32_t(size));
  out.insert(out.end(), body, body + size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 60000) return 0;
  uint8_t version = uint8_t(4 + data[0] % 8);
  std::vector<uint8_t> movie = {'F', 'W', 'S', version, 0, 0, 0, 0};
  // Stage 0..1000 twips (11-bit fields), 12 fps, 2 frames.
  const uint8_t rect[] = {0x58, 0x00, 0x7D, 0x00, 0x01, 0xF4, 0x00};
  movie.insert(movie.end(), rect, rect + sizeof rect);
  put16(movie, 12 << 8);
  put16(movie, 2);
  for (int frame = 0; frame < 2; ++frame) {
    tag(movie, 12, data + 1, size - 1);
    tag(movie, 1, nullptr, 0);
  }
  tag(movie, 0, nullptr, 0);
  uint32_t length = uint32_t(movie.size());
  movie[4] = uint8_t(length);
  movie[5] = uint8_t(length >> 8);
  movie[6] = uint8_t(length >> 16);
  movie[7] = uint8_t(length >> 24);
  movie::Player player;
  player.setTraceHandler([](const std::string&) {});
  player.append(movie.data(), movie.size());
  player.finish();
  for (int i = 0; i < 3; ++i) player.tick();
  return 0;
}

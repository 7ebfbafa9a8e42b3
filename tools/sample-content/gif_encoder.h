#pragma once
// A minimal GIF89a writer for the banner's small animations: one global colour
// table, looping frames, and LZW data made of literal codes only (a clear code
// before the table would grow a code wider), which every decoder reads.
#include <cstdint>
#include <optional>
#include <vector>

namespace sample {

struct GifFrame {
  std::vector<uint8_t> indices;  // width*height palette indices, rows top down
  int delayCentiseconds = 10;
};

struct GifImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> palette;           // 0xRRGGBB, 2..256 entries
  std::optional<uint8_t> transparentIndex;
  bool loopForever = true;
  std::vector<GifFrame> frames;
};

// Throws std::invalid_argument when sizes, palette or indices do not fit.
std::vector<uint8_t> encodeGif(const GifImage& image);

// The LZW image data of one frame: minimum code size byte, sub-blocks, terminator.
std::vector<uint8_t> encodeGifPixels(const std::vector<uint8_t>& indices, int minCodeSize);

}  // namespace sample

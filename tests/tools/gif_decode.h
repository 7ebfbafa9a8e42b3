#pragma once
// GIF decoding for the tests, through stb_image (its one copy lives in
// gif_encoder_test.cpp).
#include <cstdint>
#include <vector>

struct DecodedGif {
  int width = 0, height = 0, frames = 0;
  std::vector<uint8_t> rgba;  // frames one after another
  std::vector<int> delaysMs;
};

DecodedGif decodeGif(const std::vector<uint8_t>& file);

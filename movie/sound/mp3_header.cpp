#include "movie/sound/mp3_header.h"

namespace movie::sound {

std::optional<Mp3FrameHeader> readMp3FrameHeader(const uint8_t* h, size_t size) {
  if (size < 4 || h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) return std::nullopt;
  const int version = (h[1] >> 3) & 3;  // 0: 2.5, 2: 2, 3: 1
  const int layer = (h[1] >> 1) & 3;    // 1: layer III
  const int bitrateIndex = h[2] >> 4, rateIndex = (h[2] >> 2) & 3, padding = (h[2] >> 1) & 1;
  if (version == 1 || layer != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
    return std::nullopt;
  static const int kBitrates1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
  static const int kBitrates2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
  static const int kRates[3] = {44100, 48000, 32000};
  const bool mpeg1 = version == 3;
  Mp3FrameHeader f;
  f.rate = kRates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
  f.bitrate = mpeg1 ? kBitrates1[bitrateIndex] : kBitrates2[bitrateIndex];
  f.samples = mpeg1 ? 1152 : 576;
  f.size = size_t((mpeg1 ? 144 : 72) * f.bitrate * 1000 / f.rate + padding);
  f.channels = (h[3] >> 6) == 3 ? 1 : 2;
  return f;
}

}  // namespace movie::sound

#include "wav_out.h"

#include <fstream>

namespace {

void put(std::ofstream& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(char((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool writeWav(const std::string& path, int rate, int channels, const std::vector<int16_t>& samples) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const uint32_t dataBytes = uint32_t(samples.size() * 2);
  out.write("RIFF", 4);
  put(out, 36 + dataBytes, 4);
  out.write("WAVEfmt ", 8);
  put(out, 16, 4);  // format chunk size
  put(out, 1, 2);   // PCM
  put(out, uint32_t(channels), 2);
  put(out, uint32_t(rate), 4);
  put(out, uint32_t(rate * channels * 2), 4);  // bytes per second
  put(out, uint32_t(channels * 2), 2);         // bytes per frame
  put(out, 16, 2);                             // bits per sample
  out.write("data", 4);
  put(out, dataBytes, 4);
  for (int16_t s : samples) put(out, uint16_t(s), 2);
  return bool(out);
}

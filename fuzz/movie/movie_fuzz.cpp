// Feeds arbitrary bytes to the player in a few chunks, then draws three frames small and
// mixes their sound (every codec, MP3 through the native decoder).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "movie/player.h"
#include "movie/sound/mpg123_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const movie::sound::Mp3DecoderFactory mp3 = movie::sound::mpg123DecoderFactory();
  movie::Player player;
  player.setMp3Decoder(mp3);
  player.setSoundEnabled(true);
  // The first byte picks the chunking and the quality, so splits are explored too.
  uint8_t control = size ? data[0] : 0;
  const uint8_t* body = size ? data + 1 : data;
  size_t rest = size ? size - 1 : 0;
  size_t chunk = 1 + (control & 0x3F) * 7;
  size_t pos = 0;
  while (pos < rest) {
    size_t step = rest - pos < chunk ? rest - pos : chunk;
    player.append(body + pos, step);
    pos += step;
    chunk = chunk * 2 + 1;
  }
  player.finish();
  player.setQuality(control & 0x80 ? movie::Quality::Low : movie::Quality::High);
  std::vector<uint32_t> pixels(48 * 32);
  std::vector<int16_t> sound(2 * 2048);
  for (int i = 0; i < 3; ++i) {
    player.render({pixels.data(), 48, 32, 48});
    player.mixAudio(sound.data(), 2048);
    player.tick();
  }
  player.back();
  player.render({pixels.data(), 48, 32, 48});
  return 0;
}

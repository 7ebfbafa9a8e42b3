#include "movie/sound/adpcm_decoder.h"

#include <algorithm>

#include "movie/io/bit_reader.h"

namespace movie::sound {
namespace {

constexpr int kSamplesPerPacket = 4096;  // the packet's first sample plus 4095 codes

constexpr int kStepSizes[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,   253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,   876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749,  3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493,  10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

// Step index changes by code magnitude, for 2, 3, 4 and 5 bits per code.
constexpr int kIndexShift2[2] = {-1, 2};
constexpr int kIndexShift3[4] = {-1, -1, 2, 4};
constexpr int kIndexShift4[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
constexpr int kIndexShift5[16] = {-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16};

const int* indexShifts(int bits) {
  switch (bits) {
    case 2: return kIndexShift2;
    case 3: return kIndexShift3;
    case 4: return kIndexShift4;
    default: return kIndexShift5;
  }
}

struct Channel {
  int sample = 0;
  int index = 0;
};

// One code: the top bit is the sign, the others add halving fractions of the step.
int16_t step(Channel& c, uint32_t code, int bits) {
  const uint32_t signBit = 1u << (bits - 1);
  const int stepSize = kStepSizes[c.index];
  int diff = stepSize >> (bits - 1);
  int part = stepSize;
  for (uint32_t mask = signBit >> 1; mask; mask >>= 1, part >>= 1)
    if (code & mask) diff += part;
  c.sample = std::clamp(code & signBit ? c.sample - diff : c.sample + diff, -32768, 32767);
  c.index = std::clamp(c.index + indexShifts(bits)[code & (signBit - 1)], 0, 88);
  return int16_t(c.sample);
}

}  // namespace

bool decodeAdpcm(const format::SoundFormat& format, const uint8_t* data, size_t size, Audio& out,
                 size_t maxFrames) {
  out.rate = format.rate;
  out.channels = format.channels();
  if (size == 0) return false;
  io::BitReader r(data, size);
  const int bits = int(r.ub(2)) + 2;
  const int channels = out.channels;
  const size_t totalBits = size * 8;
  size_t consumed = 2;  // bits read so far (the reader counts whole bytes only)
  Channel state[2];
  while (out.frames() < maxFrames) {
    if (consumed + size_t(22 * channels) > totalBits) break;  // no whole packet start left
    for (int ch = 0; ch < channels; ++ch) {
      state[ch].sample = int16_t(r.ub(16));
      state[ch].index = int(r.ub(6));
      if (state[ch].index > 88) state[ch].index = 88;
    }
    consumed += size_t(22 * channels);
    for (int ch = 0; ch < channels; ++ch) out.samples.push_back(int16_t(state[ch].sample));
    for (int n = 1; n < kSamplesPerPacket && out.frames() < maxFrames; ++n) {
      if (consumed + size_t(bits * channels) > totalBits) return true;  // the data ends here
      for (int ch = 0; ch < channels; ++ch) out.samples.push_back(step(state[ch], r.ub(bits), bits));
      consumed += size_t(bits * channels);
    }
  }
  return true;
}

}  // namespace movie::sound

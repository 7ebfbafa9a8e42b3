#include "tools/swf/sound_writer.h"

#include <cmath>

#include "movie/sound/mp3_header.h"
#include "tools/swf/little_endian.h"

namespace swf {
namespace {

int rateCode(int rate) { return rate >= 44100 ? 3 : rate >= 22050 ? 2 : rate >= 11025 ? 1 : 0; }

}  // namespace

uint8_t soundFormat(SoundCodec codec, int rate, bool sixteenBit, bool stereo) {
  return uint8_t((codec << 4) | (rateCode(rate) << 2) | (sixteenBit ? 2 : 0) | (stereo ? 1 : 0));
}

Bytes encodeSoundInfo(const SoundInfo& info) {
  Bytes b;
  b.push_back(uint8_t((info.stop ? 0x20 : 0) | (info.noMultiple ? 0x10 : 0) | (info.envelope.empty() ? 0 : 0x08) |
                      (info.loops ? 0x04 : 0) | (info.outPoint ? 0x02 : 0) | (info.inPoint ? 0x01 : 0)));
  if (info.inPoint) put32(b, *info.inPoint);
  if (info.outPoint) put32(b, *info.outPoint);
  if (info.loops) put16(b, *info.loops);
  if (!info.envelope.empty()) {
    b.push_back(uint8_t(info.envelope.size()));
    for (const auto& p : info.envelope) {
      put32(b, p.pos44);
      put16(b, p.left);
      put16(b, p.right);
    }
  }
  return b;
}

void defineSound(TagList& tags, uint16_t id, uint8_t format, uint32_t sampleCount, const Bytes& data) {
  Bytes b;
  put16(b, id);
  b.push_back(format);
  put32(b, sampleCount);
  b.insert(b.end(), data.begin(), data.end());
  tags.raw(kTagDefineSound, b);
}

void startSound(TagList& tags, uint16_t id, const SoundInfo& info) {
  Bytes b;
  put16(b, id);
  const Bytes i = encodeSoundInfo(info);
  b.insert(b.end(), i.begin(), i.end());
  tags.raw(kTagStartSound, b);
}

void defineButtonSound(TagList& tags, uint16_t buttonId, const ButtonSound (&sounds)[4]) {
  Bytes b;
  put16(b, buttonId);
  for (const ButtonSound& sound : sounds) {
    put16(b, sound.soundId);
    if (!sound.soundId) continue;
    const Bytes i = encodeSoundInfo(sound.info);
    b.insert(b.end(), i.begin(), i.end());
  }
  tags.raw(kTagDefineButtonSound, b);
}

void soundStreamHead2(TagList& tags, uint8_t format, uint16_t samplesPerFrame, int16_t latencySeek) {
  Bytes b;
  b.push_back(uint8_t(format & 0x0F));  // playback: the stream's rate, size and type
  b.push_back(format);
  put16(b, samplesPerFrame);
  if ((format >> 4) == kMp3) put16(b, uint16_t(latencySeek));
  tags.raw(kTagSoundStreamHead2, b);
}

void soundStreamBlock(TagList& tags, const Bytes& block) { tags.raw(kTagSoundStreamBlock, block); }

Bytes pcm16(const std::vector<int16_t>& samples) {
  Bytes b;
  b.reserve(samples.size() * 2);
  for (int16_t s : samples) put16(b, uint16_t(s));
  return b;
}

std::vector<Mp3Frame> mp3Frames(const Bytes& file) {
  std::vector<Mp3Frame> frames;
  size_t pos = 0;
  if (file.size() >= 10 && file[0] == 'I' && file[1] == 'D' && file[2] == '3')
    pos = 10 + ((size_t(file[6] & 0x7F) << 21) | (size_t(file[7] & 0x7F) << 14) | (size_t(file[8] & 0x7F) << 7) |
                size_t(file[9] & 0x7F));
  while (pos + 4 <= file.size()) {
    auto h = movie::sound::readMp3FrameHeader(&file[pos], file.size() - pos);
    if (!h || h->size < 4 || pos + h->size > file.size()) {
      ++pos;  // not a frame here: look for the next sync
      continue;
    }
    Mp3Frame f{pos, h->size, h->samples, h->rate, h->channels};
    frames.push_back(f);
    pos += f.size;
  }
  return frames;
}

Mp3Stream mp3StreamBlocks(const Bytes& file, double frameRate) {
  Mp3Stream s;
  const auto frames = mp3Frames(file);
  if (frames.empty()) return s;
  s.rate = frames[0].rate;
  s.channels = frames[0].channels;
  const double perFrame = s.rate / frameRate;
  s.samplesPerFrame = uint16_t(std::lround(perFrame));
  size_t next = 0;
  long long firstSample = 0;  // of MP3 frame `next`
  for (int f = 0; next < frames.size(); ++f) {
    const double end = (f + 1) * perFrame;
    Bytes block(4, 0);
    int samples = 0;
    const int seek = int(std::lround(f * perFrame - double(firstSample)));
    while (next < frames.size() && double(firstSample) < end) {
      block.insert(block.end(), file.begin() + std::ptrdiff_t(frames[next].offset),
                   file.begin() + std::ptrdiff_t(frames[next].offset + frames[next].size));
      samples += frames[next].samples;
      firstSample += frames[next].samples;
      ++next;
    }
    block[0] = uint8_t(samples);
    block[1] = uint8_t(samples >> 8);
    block[2] = uint8_t(int16_t(seek));
    block[3] = uint8_t(uint16_t(int16_t(seek)) >> 8);
    s.blocks.push_back(std::move(block));
  }
  return s;
}

}  // namespace swf

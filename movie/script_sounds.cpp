#include "movie/script_sounds.h"

#include <algorithm>
#include <cmath>

#include "movie/sound/resampler.h"

namespace movie {
namespace {

// Scripts may amplify, but within bounds the mixer's arithmetic keeps exact.
int boundedPercent(double v) { return int(std::lround(std::clamp(v, -10000.0, 10000.0))); }

}  // namespace

int ScriptSounds::soundNamed(const std::string& exportName) {
  auto id = timeline_.soundIdFor(exportName);
  return id && timeline_.soundAudio(*id) ? *id : 0;
}

double ScriptSounds::durationMs(int sound) {
  auto audio = timeline_.soundAudio(uint16_t(sound));
  return audio && audio->rate > 0 ? double(audio->frames()) * 1000.0 / audio->rate : 0;
}

int ScriptSounds::start(int sound, script::DisplayNode* clip, double offsetSeconds, int loops) {
  if (!timeline_.enabled()) return 0;  // no output: nothing is heard, nothing ends
  auto audio = timeline_.soundAudio(uint16_t(sound));
  if (!audio) return 0;
  format::SoundInfo info;
  info.inPoint = uint32_t(std::clamp(offsetSeconds * sound::kOutputRate, 0.0, 4e9));
  info.loops = uint16_t(std::clamp(loops, 1, 65535));
  return mixer_.startSound(uint16_t(sound), audio, info, timeline_.ownerOf(clip));
}

void ScriptSounds::stop(script::DisplayNode* clip, int sound) {
  if (sound) {
    mixer_.stopSound(uint16_t(sound));
  } else if (!clip) {
    mixer_.stopAll();
  } else {
    mixer_.stopOwner(timeline_.ownerOf(clip));
  }
}

script::SoundMix ScriptSounds::mix(script::DisplayNode* clip) {
  sound::SoundTransform t = mixer_.transform(timeline_.ownerOf(clip));
  return {double(t.volume), double(t.leftToLeft), double(t.leftToRight), double(t.rightToRight),
          double(t.rightToLeft)};
}

void ScriptSounds::setMix(script::DisplayNode* clip, const script::SoundMix& mix) {
  sound::SoundTransform t;
  t.volume = boundedPercent(mix.volume);
  t.leftToLeft = boundedPercent(mix.ll);
  t.leftToRight = boundedPercent(mix.lr);
  t.rightToRight = boundedPercent(mix.rr);
  t.rightToLeft = boundedPercent(mix.rl);
  mixer_.setTransform(timeline_.ownerOf(clip), t);
}

double ScriptSounds::pan(script::DisplayNode* clip) { return mixer_.transform(timeline_.ownerOf(clip)).pan(); }

void ScriptSounds::setPan(script::DisplayNode* clip, double pan) {
  const int owner = timeline_.ownerOf(clip);
  const int volume = mixer_.transform(owner).volume;
  mixer_.setTransform(owner, sound::SoundTransform::fromPan(boundedPercent(pan), volume));
}

}  // namespace movie

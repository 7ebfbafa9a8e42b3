#include "movie/script_sounds.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "movie/sound/resampler.h"
#include "movie/timeline/display_list.h"

namespace movie {
namespace {

// Scripts may amplify, but within bounds the mixer's arithmetic keeps exact.
int boundedPercent(double v) { return int(std::lround(std::clamp(v, -10000.0, 10000.0))); }

}  // namespace

int ScriptSounds::soundNamed(const std::string& exportName, script::DisplayNode* clip) {
  // A clip finds the sounds its own movie exports, so a loaded movie attaches its own.
  auto* sprite = dynamic_cast<timeline::SpriteInstance*>(clip);
  const format::CharacterTable* table = &timeline_.movieCharacters();
  std::optional<uint16_t> id;
  if (sprite && sprite->exports() && sprite->exportTable()) {
    if (auto it = sprite->exports()->find(exportName); it != sprite->exports()->end()) id = it->second;
    table = sprite->exportTable();
  } else {
    id = timeline_.soundIdFor(exportName);
  }
  if (!id) return 0;
  if (!timeline_.soundAudio(*id, *table)) return 0;
  auto [it, added] = numbers_.emplace(SoundKey{table, *id}, int(sounds_.size()) + 1);
  if (added) sounds_.push_back(it->first);
  return it->second;
}

std::shared_ptr<const sound::Audio> ScriptSounds::audioOf(int sound) {
  if (sound < 1 || size_t(sound) > sounds_.size()) return nullptr;
  const SoundKey& key = sounds_[size_t(sound) - 1];
  return timeline_.soundAudio(key.second, *key.first);
}

double ScriptSounds::durationMs(int sound) {
  auto audio = audioOf(sound);
  return audio && audio->rate > 0 ? double(audio->frames()) * 1000.0 / audio->rate : 0;
}

int ScriptSounds::start(int sound, script::DisplayNode* clip, double offsetSeconds, int loops) {
  if (!timeline_.enabled()) return 0;  // no output: nothing is heard, nothing ends
  auto audio = audioOf(sound);
  if (!audio) return 0;
  format::SoundInfo info;
  info.inPoint = uint32_t(std::clamp(offsetSeconds * sound::kOutputRate, 0.0, 4e9));
  info.loops = uint16_t(std::clamp(loops, 1, 65535));
  return mixer_.startSound(sounds_[size_t(sound) - 1].second, audio, info, timeline_.ownerOf(clip));
}

void ScriptSounds::stop(script::DisplayNode* clip, int sound) {
  if (sound) {
    if (sound >= 1 && size_t(sound) <= sounds_.size()) mixer_.stopSound(sounds_[size_t(sound) - 1].second);
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

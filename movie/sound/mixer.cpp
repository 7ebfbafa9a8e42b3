#include "movie/sound/mixer.h"

#include <algorithm>
#include <utility>

namespace movie::sound {

Mixer::Mixer() = default;
Mixer::~Mixer() = default;

void Mixer::setMp3Decoder(Mp3DecoderFactory factory) {
  std::lock_guard lock(mutex_);
  mp3_ = std::move(factory);
}

Mp3DecoderFactory Mixer::mp3Decoder() const {
  std::lock_guard lock(mutex_);
  return mp3_;
}

int Mixer::startSound(uint16_t soundId, std::shared_ptr<const Audio> audio,
                      const format::SoundInfo& info, int owner) {
  std::lock_guard lock(mutex_);
  if (info.stop) {
    std::erase_if(events_, [&](const auto& v) { return v->soundId() == soundId; });
    return 0;
  }
  if (!audio || audio->samples.empty()) return 0;
  if (info.noMultiple &&
      std::any_of(events_.begin(), events_.end(), [&](const auto& v) { return v->soundId() == soundId; }))
    return 0;
  if (events_.size() + streams_.size() >= kMaxVoices) return 0;
  const int play = nextPlay_++;
  events_.push_back(std::make_unique<EventVoice>(soundId, owner, play, std::move(audio), info));
  return play;
}

void Mixer::stopSound(uint16_t soundId) {
  std::lock_guard lock(mutex_);
  std::erase_if(events_, [&](const auto& v) { return v->soundId() == soundId; });
}

bool Mixer::soundPlaying(uint16_t soundId) const {
  std::lock_guard lock(mutex_);
  return std::any_of(events_.begin(), events_.end(), [&](const auto& v) { return v->soundId() == soundId; });
}

double Mixer::soundPositionMs(uint16_t soundId) const {
  std::lock_guard lock(mutex_);
  for (auto it = events_.rbegin(); it != events_.rend(); ++it)
    if ((*it)->soundId() == soundId) return (*it)->positionMs();
  return 0;
}

bool Mixer::playActive(int play) const {
  std::lock_guard lock(mutex_);
  return std::any_of(events_.begin(), events_.end(), [&](const auto& v) { return v->play() == play; });
}

double Mixer::playPositionMs(int play) const {
  std::lock_guard lock(mutex_);
  for (const auto& v : events_)
    if (v->play() == play) return v->positionMs();
  return 0;
}

std::vector<int> Mixer::takeFinished() {
  std::lock_guard lock(mutex_);
  return std::exchange(finished_, {});
}

int Mixer::openStream(const format::SoundFormat& format, int owner) {
  std::lock_guard lock(mutex_);
  const int id = nextStream_++;
  if (events_.size() + streams_.size() < kMaxVoices)
    streams_.push_back(std::make_unique<StreamVoice>(id, owner, format, mp3_));
  return id;
}

void Mixer::queueBlock(int stream, std::vector<uint8_t> block, uint64_t sequence) {
  std::lock_guard lock(mutex_);
  for (auto& s : streams_)
    if (s->id() == stream) s->queue(std::move(block), sequence);
}

void Mixer::endStream(int stream) {
  std::lock_guard lock(mutex_);
  for (auto& s : streams_)
    if (s->id() == stream) s->endAfterQueued();
}

void Mixer::closeStream(int stream) {
  std::lock_guard lock(mutex_);
  std::erase_if(streams_, [&](const auto& s) { return s->id() == stream; });
}

bool Mixer::streamOpen(int stream) const {
  std::lock_guard lock(mutex_);
  return std::any_of(streams_.begin(), streams_.end(), [&](const auto& s) { return s->id() == stream; });
}

size_t Mixer::queuedBlocks(int stream) const {
  std::lock_guard lock(mutex_);
  for (auto& s : streams_)
    if (s->id() == stream) return s->queuedBlocks();
  return 0;
}

std::optional<uint64_t> Mixer::streamHeard(int stream) const {
  std::lock_guard lock(mutex_);
  for (auto& s : streams_)
    if (s->id() == stream) return s->heardAt(playedClock());
  return std::nullopt;
}

void Mixer::stopAll() {
  std::lock_guard lock(mutex_);
  events_.clear();
  streams_.clear();
}

void Mixer::stopEvents() {
  std::lock_guard lock(mutex_);
  events_.clear();
}

void Mixer::stopOwner(int owner) {
  std::lock_guard lock(mutex_);
  std::erase_if(events_, [&](const auto& v) { return v->owner() == owner; });
  std::erase_if(streams_, [&](const auto& s) { return s->owner() == owner; });
}

void Mixer::setTransform(int owner, const SoundTransform& t) {
  std::lock_guard lock(mutex_);
  transforms_[owner] = t;
}

SoundTransform Mixer::transform(int owner) const {
  std::lock_guard lock(mutex_);
  auto it = transforms_.find(owner);
  return it == transforms_.end() ? SoundTransform{} : it->second;
}

Gains Mixer::gainsFor(int owner) const {
  auto find = [this](int o) {
    auto it = transforms_.find(o);
    return it == transforms_.end() ? SoundTransform{} : it->second;
  };
  SoundTransform t = find(owner);
  if (owner != 0) t = t.within(find(0));  // a clip's sounds also follow the movie's
  return Gains::of(t);
}

uint64_t Mixer::playedClock() const { return played_ ? std::min(*played_, mixed_) : mixed_; }

void Mixer::mix(int16_t* out, size_t frames) {
  std::lock_guard lock(mutex_);
  acc_.assign(frames * 2, 0);
  for (auto it = events_.begin(); it != events_.end();) {
    if ((*it)->mix(acc_.data(), frames, gainsFor((*it)->owner()))) {
      ++it;
    } else {
      finished_.push_back((*it)->play());
      it = events_.erase(it);
    }
  }
  if (finished_.size() > 256) finished_.erase(finished_.begin(), finished_.end() - 256);
  for (auto it = streams_.begin(); it != streams_.end();) {
    if ((*it)->mix(acc_.data(), frames, mixed_, gainsFor((*it)->owner())))
      ++it;
    else
      it = streams_.erase(it);
  }
  for (size_t i = 0; i < frames * 2; ++i) out[i] = int16_t(std::clamp(acc_[i], -32768, 32767));
  mixed_ += frames;
}

void Mixer::setPlayedClock(uint64_t played) {
  std::lock_guard lock(mutex_);
  played_ = played;
}

uint64_t Mixer::mixedClock() const {
  std::lock_guard lock(mutex_);
  return mixed_;
}

size_t Mixer::voiceCount() const {
  std::lock_guard lock(mutex_);
  return events_.size() + streams_.size();
}

}  // namespace movie::sound

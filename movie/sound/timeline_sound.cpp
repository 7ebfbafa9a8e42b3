#include "movie/sound/timeline_sound.h"

#include <algorithm>
#include <cmath>

namespace movie::sound {
namespace {

constexpr double kLookaheadSeconds = 0.5;
// Ticks come at about twice the frame rate; this many without any sound heard means the
// output has stopped, and the frame clock takes over again so the movie never stalls.
constexpr int kMaxWaitsPerLookahead = 8;

// Which of a button's four sounds a change of its shown state plays, or -1.
int buttonSoundIndex(int from, int to) {
  using namespace format;
  if (from == kButtonOver && to == kButtonUp) return 0;
  if (from == kButtonUp && to == kButtonOver) return 1;
  if (from == kButtonOver && to == kButtonDown) return 2;
  if (from == kButtonDown && to == kButtonOver) return 3;
  return -1;
}

}  // namespace

TimelineSound::TimelineSound(const format::MovieDef& movie, Mixer& mixer) : movie_(movie), mixer_(mixer) {
  const double fps = movie.frameRate > 0 ? std::min<double>(movie.frameRate, 120) : 12;
  lookahead_ = std::max(2, int(std::ceil(fps * kLookaheadSeconds)) + 1);
}

TimelineSound::~TimelineSound() {
  closeRootStream();
  for (auto& [sprite, stream] : spriteStreams_) mixer_.closeStream(stream);
}

void TimelineSound::setEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled) closeRootStream();
}

std::optional<uint16_t> TimelineSound::soundIdFor(const std::string& exportName) const {
  auto it = movie_.exports.find(exportName);
  if (it == movie_.exports.end()) return std::nullopt;
  return it->second;
}

std::shared_ptr<const Audio> TimelineSound::soundAudio(uint16_t soundId, const format::CharacterTable& characters) {
  const SoundKey key{&characters, soundId};
  if (auto it = decoded_.find(key); it != decoded_.end()) return it->second;
  if (undecodable_.count(key)) return nullptr;
  auto c = characters.find(soundId);
  if (c == characters.end() || c->second.kind != format::Character::Sound || !c->second.sound) {
    return nullptr;  // not defined (yet): it may still arrive
  }
  auto audio = std::make_shared<Audio>();
  std::string why;
  if (!decodeSound(*c->second.sound, mixer_.mp3Decoder(), *audio, why)) {
    undecodable_.insert(key);
    return nullptr;
  }
  decoded_[key] = audio;
  return audio;
}

int TimelineSound::ownerOf(const script::DisplayNode* clip) {
  if (!clip) return 0;
  auto [it, added] = owners_.emplace(clip->identity(), int(owners_.size()) + 1);
  return it->second;
}

void TimelineSound::startSound(const format::SoundRef& ref, int owner, const format::CharacterTable& characters) {
  format::SoundStart start;
  std::string why;
  if (ref.soundId != 0) {
    start.soundId = ref.soundId;
    if (!format::parseSoundInfo(ref.info.data(), ref.info.size(), start.info)) return;
  } else {
    if (!format::parseStartSound(89, ref.info.data(), ref.info.size(), start, why)) return;
    auto id = soundIdFor(start.className);
    if (!id) return;
    start.soundId = *id;
  }
  if (start.info.stop) {
    mixer_.stopSound(start.soundId);
    return;
  }
  if (auto audio = soundAudio(start.soundId, characters)) mixer_.startSound(start.soundId, audio, start.info, owner);
}

void TimelineSound::frameEntered(const timeline::SpriteInstance& timeline, int frame) {
  if (!enabled_ || frame < 0 || frame >= timeline.frameCount()) return;
  const format::Frame& f = timeline.timeline().frames[size_t(frame)];
  if (!f.sounds.empty()) {
    const int owner = ownerOf(&timeline);
    for (const auto& ref : f.sounds) startSound(ref, owner, timeline.characters());
  }
  // The main timeline's stream is fed ahead by rootMoved(); a sprite's as it plays.
  if (&timeline.timeline() != &movie_.root) spriteStream(timeline, f);
}

void TimelineSound::buttonStateChanged(timeline::SpriteInstance& button, int from, int to) {
  const int index = buttonSoundIndex(from, to);
  if (!enabled_ || index < 0 || !button.buttonDef()) return;
  const format::SoundRef& ref = button.buttonDef()->sounds[index];
  if (ref.soundId == 0) return;
  const script::DisplayNode* holder = button.parentNode();
  startSound(ref, ownerOf(holder ? holder : &button), button.characters());
}

void TimelineSound::spriteStream(const timeline::SpriteInstance& sprite, const format::Frame& frame) {
  auto it = spriteStreams_.find(sprite.identity());
  const auto& head = sprite.timeline().streamHead;
  if (!frame.streamBlock || !head) {
    if (it != spriteStreams_.end()) {
      mixer_.endStream(it->second);
      spriteStreams_.erase(it);
    }
    return;
  }
  if (it == spriteStreams_.end() || !mixer_.streamOpen(it->second))
    it = spriteStreams_.insert_or_assign(sprite.identity(), mixer_.openStream(head->stream, ownerOf(&sprite))).first;
  mixer_.queueBlock(it->second, *frame.streamBlock, 0);
}

void TimelineSound::closeRootStream() {
  if (rootStream_) mixer_.closeStream(rootStream_);
  rootStream_ = 0;
  predicted_.clear();
  waits_ = 0;
}

void TimelineSound::openRootStream(int frame, int owner) {
  const auto& head = movie_.root.streamHead;
  rootStream_ = mixer_.openStream(head->stream, owner);
  rootFeedEnded_ = false;
  shownSequence_ = fedSequence_ = 0;
  fedFrame_ = frame;
  predicted_.clear();
  predicted_.emplace_back(0, frame);
  mixer_.queueBlock(rootStream_, *movie_.root.frames[size_t(frame)].streamBlock, 0);
}

std::optional<int> TimelineSound::predictedFrame(uint64_t sequence) const {
  for (const auto& [s, f] : predicted_)
    if (s == sequence) return f;
  return std::nullopt;
}

void TimelineSound::rootMoved(const timeline::SpriteInstance& root, bool playing, bool loop, bool complete) {
  const int frame = root.currentFrame();
  if (rootStream_) {
    if (!playing || !mixer_.streamOpen(rootStream_)) {
      closeRootStream();
    } else if (predictedFrame(shownSequence_ + 1) == frame) {
      ++shownSequence_;
      while (!predicted_.empty() && predicted_.front().first < shownSequence_) predicted_.pop_front();
    } else if (predictedFrame(shownSequence_) != frame) {
      closeRootStream();  // a jump: the stream starts again where the timeline is now
    }
  }
  const auto& frames = movie_.root.frames;
  if (stalledAtClock_ && mixer_.mixedClock() != *stalledAtClock_) stalledAtClock_.reset();
  if (!rootStream_ && enabled_ && playing && !stalledAtClock_ && movie_.root.streamHead && frame >= 0 &&
      size_t(frame) < frames.size() && frames[size_t(frame)].streamBlock)
    openRootStream(frame, ownerOf(&root));
  if (rootStream_) feedAhead(movie_.root, loop, complete);
}

void TimelineSound::feedAhead(const format::Timeline& root, bool loop, bool complete) {
  while (!rootFeedEnded_ && fedSequence_ < shownSequence_ + uint64_t(lookahead_)) {
    int next = fedFrame_ + 1;
    if (size_t(next) >= root.frames.size()) {
      if (!complete) return;  // the next frame has not arrived yet
      if (!loop || root.frames.size() < 2) {
        rootFeedEnded_ = true;
        mixer_.endStream(rootStream_);
        return;
      }
      next = 0;
    }
    const auto& block = root.frames[size_t(next)].streamBlock;
    if (!block) {  // the stream ends where a frame has no block
      rootFeedEnded_ = true;
      mixer_.endStream(rootStream_);
      return;
    }
    fedFrame_ = next;
    ++fedSequence_;
    predicted_.emplace_back(fedSequence_, next);
    mixer_.queueBlock(rootStream_, *block, fedSequence_);
  }
}

bool TimelineSound::streamPlaying() const { return rootStream_ && mixer_.streamOpen(rootStream_); }

std::optional<int> TimelineSound::framesDue() {
  if (!streamPlaying()) return std::nullopt;
  auto heard = mixer_.streamHeard(rootStream_);
  if (!heard || *heard <= shownSequence_) {
    if (++waits_ > kMaxWaitsPerLookahead * lookahead_) {
      closeRootStream();  // the output is not taking sound: let the frame clock lead
      stalledAtClock_ = mixer_.mixedClock();
      return std::nullopt;
    }
    return 0;
  }
  waits_ = 0;
  return int(std::min<uint64_t>(*heard - shownSequence_, uint64_t(lookahead_)));
}

}  // namespace movie::sound

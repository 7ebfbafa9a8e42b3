#pragma once
// One playing event sound: its decoded samples between the in and out points, played
// the given number of times, shaped by its envelope.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "movie/format/sound_records.h"
#include "movie/sound/audio.h"
#include "movie/sound/envelope.h"
#include "movie/sound/gains.h"
#include "movie/sound/resampler.h"

namespace movie::sound {

class EventVoice {
 public:
  // play: the mixer's number for this start of the sound.
  EventVoice(uint16_t soundId, int owner, int play, std::shared_ptr<const Audio> audio,
             const format::SoundInfo& info);
  // Adds up to `frames` output frames to acc (stereo pairs); false once it has ended.
  bool mix(int32_t* acc, size_t frames, const Gains& gains);
  uint16_t soundId() const { return soundId_; }
  int owner() const { return owner_; }
  int play() const { return play_; }
  // Milliseconds played of the current pass (what a script reads as the position).
  double positionMs() const;

 private:
  uint16_t soundId_;
  int owner_;
  int play_;
  std::shared_ptr<const Audio> audio_;
  Envelope envelope_;
  Resampler reader_;
  size_t start_ = 0, end_ = 0;  // source frames
  unsigned loopsLeft_ = 1;
};

}  // namespace movie::sound

#include "movie/sound/event_voice.h"

#include <algorithm>

namespace movie::sound {
namespace {

size_t toSourceFrames(uint32_t pos44, int rate) { return size_t(uint64_t(pos44) * uint64_t(rate) / kOutputRate); }

}  // namespace

EventVoice::EventVoice(uint16_t soundId, int owner, int play, std::shared_ptr<const Audio> audio,
                       const format::SoundInfo& info)
    : soundId_(soundId), owner_(owner), play_(play), audio_(std::move(audio)), envelope_(info.envelope) {
  const size_t frames = audio_ ? audio_->frames() : 0;
  const int rate = audio_ ? audio_->rate : kOutputRate;
  end_ = frames;
  if (info.outPoint) end_ = std::min(end_, toSourceFrames(*info.outPoint, rate));
  if (info.inPoint) start_ = std::min(end_, toSourceFrames(*info.inPoint, rate));
  loopsLeft_ = std::max<unsigned>(1, info.loops);
  reader_.setRate(rate);
  reader_.seek(start_);
}

bool EventVoice::mix(int32_t* acc, size_t frames, const Gains& gains) {
  if (start_ >= end_) return false;
  const int rate = audio_->rate;
  for (size_t i = 0; i < frames; ++i) {
    if (reader_.frame() >= end_) {
      if (--loopsLeft_ == 0) return false;
      reader_.seek(start_);
    }
    const uint64_t pos44 = uint64_t(reader_.frame()) * kOutputRate / uint64_t(rate);
    int l, r;
    reader_.read(*audio_, end_, l, r);
    if (!envelope_.empty()) {
      int el, er;
      envelope_.levels(pos44, el, er);
      l = int((int64_t(l) * el) >> 15);
      r = int((int64_t(r) * er) >> 15);
    }
    gains.apply(l, r, acc + 2 * i);
  }
  return true;
}

double EventVoice::positionMs() const {
  if (!audio_ || audio_->rate <= 0) return 0;
  return double(reader_.frame()) * 1000.0 / audio_->rate;
}

}  // namespace movie::sound

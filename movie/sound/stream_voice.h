#pragma once
// A playing stream: blocks are queued ahead by the timeline, decoded as the output needs
// them, and each block's place on the output clock is remembered, so that the timeline
// can ask which block is being heard and keep its frames in step.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "movie/format/sound_records.h"
#include "movie/sound/audio.h"
#include "movie/sound/gains.h"
#include "movie/sound/mp3_decoder.h"
#include "movie/sound/resampler.h"
#include "movie/sound/sound_decoder.h"

namespace movie::sound {

class StreamVoice {
 public:
  StreamVoice(int id, int owner, const format::SoundFormat& format, const Mp3DecoderFactory& mp3);
  int id() const { return id_; }
  int owner() const { return owner_; }

  // A block for the timeline's frame numbered `sequence` (counted along the frames
  // played, so that loops keep counting up).
  void queue(std::vector<uint8_t> block, uint64_t sequence);
  void endAfterQueued() { ending_ = true; }
  bool ended() const { return ending_ && queued_.empty() && reader_.frame() >= buffer_.frames(); }
  size_t queuedBlocks() const { return queued_.size(); }

  // Adds up to `frames` frames to acc, starting at output clock `clock`. Runs dry
  // (adds silence and does not move) while no block is queued. False once ended.
  bool mix(int32_t* acc, size_t frames, uint64_t clock, const Gains& gains);
  // The sequence number of the block heard at output clock `played`, if any yet.
  std::optional<uint64_t> heardAt(uint64_t played) const;

 private:
  bool decodeNext();
  void dropConsumed();

  struct Mark {
    uint64_t sequence;
    uint64_t sourceFrame;  // where the block's samples begin, counted from the stream's start
  };
  struct Checkpoint {
    uint64_t clock;        // output clock ...
    uint64_t sourceFrame;  // ... at which this source frame was playing
  };

  int id_, owner_;
  StreamDecoder decoder_;
  std::deque<std::pair<std::vector<uint8_t>, uint64_t>> queued_;
  bool ending_ = false;
  Audio buffer_;              // decoded and not yet dropped
  uint64_t bufferStart_ = 0;  // source frame of buffer_'s first frame
  bool formatKnown_ = false;
  Resampler reader_;
  std::deque<Mark> marks_;
  std::deque<Checkpoint> checkpoints_;
};

}  // namespace movie::sound

#pragma once
// Mixes every playing sound into 44.1 kHz 16-bit stereo. The timeline starts and stops
// sounds on its thread while the output pulls mix() on its own, so every member locks.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "movie/format/sound_records.h"
#include "movie/sound/audio.h"
#include "movie/sound/event_voice.h"
#include "movie/sound/mp3_decoder.h"
#include "movie/sound/sound_transform.h"
#include "movie/sound/stream_voice.h"

namespace movie::sound {

class Mixer {
 public:
  static constexpr size_t kMaxVoices = 32;  // sounds started beyond this are not heard

  Mixer();
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  void setMp3Decoder(Mp3DecoderFactory factory);
  Mp3DecoderFactory mp3Decoder() const;

  // Event sounds. `owner` names the clip whose transform applies (0: the movie). Returns
  // the number of this start (a play), 0 when nothing started.
  int startSound(uint16_t soundId, std::shared_ptr<const Audio> audio, const format::SoundInfo& info,
                 int owner = 0);
  void stopSound(uint16_t soundId);
  bool soundPlaying(uint16_t soundId) const;
  double soundPositionMs(uint16_t soundId) const;  // of its latest start, 0 when silent
  bool playActive(int play) const;
  double playPositionMs(int play) const;  // 0 once it has ended
  // Plays that ended by themselves (not stopped) since the last call.
  std::vector<int> takeFinished();

  // Streams: returns a handle for the blocks.
  int openStream(const format::SoundFormat& format, int owner = 0);
  void queueBlock(int stream, std::vector<uint8_t> block, uint64_t sequence);
  void endStream(int stream);    // it ends once the queued blocks are played
  void closeStream(int stream);  // silenced at once
  bool streamOpen(int stream) const;
  size_t queuedBlocks(int stream) const;
  // The sequence number of the stream's block heard now (at the played clock).
  std::optional<uint64_t> streamHeard(int stream) const;

  // Everything stops at once: event sounds and streams.
  void stopAll();
  void stopEvents();  // event sounds only
  void stopOwner(int owner);  // event sounds and streams of one clip

  void setTransform(int owner, const SoundTransform& t);
  SoundTransform transform(int owner) const;

  // The output side: frames of 44.1 kHz stereo, interleaved left then right.
  void mix(int16_t* out, size_t frames);
  // How many frames of what was mixed have reached the speaker so far. Without a report
  // everything mixed counts as heard.
  void setPlayedClock(uint64_t played);
  uint64_t mixedClock() const;
  size_t voiceCount() const;

 private:
  Gains gainsFor(int owner) const;
  uint64_t playedClock() const;

  mutable std::mutex mutex_;
  Mp3DecoderFactory mp3_;
  std::vector<std::unique_ptr<EventVoice>> events_;
  std::vector<std::unique_ptr<StreamVoice>> streams_;
  std::map<int, SoundTransform> transforms_;
  std::vector<int> finished_;
  std::vector<int32_t> acc_;
  uint64_t mixed_ = 0;
  std::optional<uint64_t> played_;
  int nextStream_ = 1;
  int nextPlay_ = 1;
};

}  // namespace movie::sound

#pragma once
// The movie's sound as the timeline drives it: frames that are shown start their event
// sounds; the main timeline's stream is fed to the mixer a little ahead of the frames
// shown, and while it plays, the frame heard sets how far the timeline may go.
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "movie/format/movie_def.h"
#include "movie/sound/mixer.h"
#include "movie/timeline/display_list.h"

namespace movie::sound {

class TimelineSound {
 public:
  // The definition and mixer must outlive this object.
  TimelineSound(const format::MovieDef& movie, Mixer& mixer);
  ~TimelineSound();

  // Without an output nothing is decoded or started.
  void setEnabled(bool enabled);
  bool enabled() const { return enabled_; }

  // A timeline showed a frame: its event sounds start, a sprite's stream goes on.
  void frameEntered(const timeline::SpriteInstance& timeline, int frame);

  // A button changed the state it shows: the sound it has for that change starts, under
  // the sound transform of the clip that holds the button.
  void buttonStateChanged(timeline::SpriteInstance& button, int from, int to);

  // After the main timeline showed another frame (or stopped or started playing):
  // follows or restarts the stream and keeps it fed ahead.
  void rootMoved(const timeline::SpriteInstance& root, bool playing, bool loop, bool complete);
  // While the stream paces the main timeline: how many frames it should advance now to
  // show the frame being heard (0: wait). Empty when the frame clock keeps time.
  std::optional<int> framesDue();
  bool streamPlaying() const;

  // Decoded samples of a defined sound (decoded once), or null.
  std::shared_ptr<const Audio> soundAudio(uint16_t soundId) { return soundAudio(soundId, movie_.characters); }
  // The same from another dictionary (a loaded movie's, which outlives this).
  std::shared_ptr<const Audio> soundAudio(uint16_t soundId, const format::CharacterTable& characters);
  std::optional<uint16_t> soundIdFor(const std::string& exportName) const;
  const format::CharacterTable& movieCharacters() const { return movie_.characters; }
  // The mixer's owner number for a clip, whose sound transform its sounds follow; the
  // movie as a whole is 0. A clip made later never inherits a removed clip's number.
  int ownerOf(const script::DisplayNode* clip);

 private:
  void startSound(const format::SoundRef& ref, int owner, const format::CharacterTable& characters);
  void spriteStream(const timeline::SpriteInstance& sprite, const format::Frame& frame);
  void openRootStream(int frame, int owner);
  void closeRootStream();
  void feedAhead(const format::Timeline& root, bool loop, bool complete);
  std::optional<int> predictedFrame(uint64_t sequence) const;

  const format::MovieDef& movie_;
  Mixer& mixer_;
  bool enabled_ = false;
  using SoundKey = std::pair<const format::CharacterTable*, uint16_t>;
  std::map<SoundKey, std::shared_ptr<const Audio>> decoded_;
  std::set<SoundKey> undecodable_;
  // Both keyed by the clip's identity: a removed clip's address may be reused.
  std::map<uint64_t, int> spriteStreams_;
  std::map<uint64_t, int> owners_;

  // The main timeline's stream.
  int rootStream_ = 0;
  bool rootFeedEnded_ = false;
  uint64_t shownSequence_ = 0;  // the frame shown
  uint64_t fedSequence_ = 0;    // the last frame whose block went to the mixer
  int fedFrame_ = 0;
  std::deque<std::pair<uint64_t, int>> predicted_;  // sequence -> frame, shown onwards
  int lookahead_ = 4;
  int waits_ = 0;  // ticks in a row the heard frame did not move
  // Set when the stream was given up because nothing took sound; no stream starts again
  // until the output has mixed more than this.
  std::optional<uint64_t> stalledAtClock_;
};

}  // namespace movie::sound

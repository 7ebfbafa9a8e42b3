#pragma once
// The movie's sound as the Sound object of scripts reaches it: exported sounds by name,
// started and stopped for a clip, and each clip's sound transform.
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "movie/format/movie_def.h"
#include "movie/script/sound_service.h"
#include "movie/sound/mixer.h"
#include "movie/sound/timeline_sound.h"

namespace movie {

class ScriptSounds : public script::SoundService {
 public:
  // Both must outlive this object.
  ScriptSounds(sound::TimelineSound& timeline, sound::Mixer& mixer) : timeline_(timeline), mixer_(mixer) {}

  int soundNamed(const std::string& exportName, script::DisplayNode* clip) override;
  double durationMs(int sound) override;
  int start(int sound, script::DisplayNode* clip, double offsetSeconds, int loops) override;
  void stop(script::DisplayNode* clip, int sound) override;
  double positionMs(int play) override { return mixer_.playPositionMs(play); }
  bool active(int play) override { return mixer_.playActive(play); }
  std::vector<int> takeFinished() override { return mixer_.takeFinished(); }
  script::SoundMix mix(script::DisplayNode* clip) override;
  void setMix(script::DisplayNode* clip, const script::SoundMix& mix) override;
  double pan(script::DisplayNode* clip) override;
  void setPan(script::DisplayNode* clip, double pan) override;
  void stopAll() override { mixer_.stopAll(); }

 private:
  // A defined sound of one movie's dictionary (the main movie's, a loaded or imported one's).
  using SoundKey = std::pair<const format::CharacterTable*, uint16_t>;
  std::shared_ptr<const sound::Audio> audioOf(int sound);

  sound::TimelineSound& timeline_;
  sound::Mixer& mixer_;
  // Scripts name sounds by numbers from 1: index + 1 in `sounds_`.
  std::vector<SoundKey> sounds_;
  std::map<SoundKey, int> numbers_;
};

}  // namespace movie

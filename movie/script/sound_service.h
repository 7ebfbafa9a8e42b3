#pragma once
// What the Sound object of scripts asks of the player's sound. Clips are named by their
// display nodes (null: the whole movie), sounds by the numbers soundNamed() gives, each
// start of a sound by the play number start() gives.
#include <string>
#include <vector>

namespace movie::script {

class DisplayNode;

// A clip's sound transform as scripts see it, in percent.
struct SoundMix {
  double volume = 100;
  double ll = 100, lr = 0, rr = 100, rl = 0;
};

class SoundService {
 public:
  virtual ~SoundService() = default;
  // A sound the movie of `clip` exports (null: the main movie); 0: no such sound.
  virtual int soundNamed(const std::string& exportName, DisplayNode* clip) = 0;
  virtual double durationMs(int sound) = 0;
  // Starts a sound for a clip at an offset, playing it `loops` times; 0 when nothing started.
  virtual int start(int sound, DisplayNode* clip, double offsetSeconds, int loops) = 0;
  virtual void stop(DisplayNode* clip, int sound) = 0;  // sound 0: every sound of the clip
  virtual double positionMs(int play) = 0;
  virtual bool active(int play) = 0;  // still sounding
  virtual std::vector<int> takeFinished() = 0;  // plays that ended by themselves
  virtual SoundMix mix(DisplayNode* clip) = 0;
  virtual void setMix(DisplayNode* clip, const SoundMix& mix) = 0;
  virtual double pan(DisplayNode* clip) = 0;  // -100 left only .. 100 right only
  virtual void setPan(DisplayNode* clip, double pan) = 0;
  virtual void stopAll() = 0;
};

}  // namespace movie::script

#pragma once
// How a clip's sounds reach the two speakers, in percent as scripts set them: volume,
// and the share of each source channel in each output channel.
namespace movie::sound {

struct SoundTransform {
  int volume = 100;
  int leftToLeft = 100, leftToRight = 0;
  int rightToRight = 100, rightToLeft = 0;

  // The transform of a pan from -100 (left only) to 100 (right only).
  static SoundTransform fromPan(int pan, int volume = 100);
  // The pan a transform amounts to (what a script reads back).
  int pan() const;
  // This transform inside another (a clip's inside the movie's).
  SoundTransform within(const SoundTransform& outer) const;
  bool operator==(const SoundTransform&) const = default;
};

}  // namespace movie::sound

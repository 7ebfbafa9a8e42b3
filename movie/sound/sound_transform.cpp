#include "movie/sound/sound_transform.h"

#include <algorithm>

namespace movie::sound {

SoundTransform SoundTransform::fromPan(int pan, int volume) {
  pan = std::clamp(pan, -100, 100);
  SoundTransform t;
  t.volume = volume;
  // Panning turns the other side down; the near side stays whole.
  t.leftToLeft = pan > 0 ? 100 - pan : 100;
  t.rightToRight = pan < 0 ? 100 + pan : 100;
  return t;
}

int SoundTransform::pan() const {
  if (leftToLeft == 100) return 100 - rightToRight <= 0 ? 0 : -(100 - rightToRight);
  return 100 - leftToLeft;
}

SoundTransform SoundTransform::within(const SoundTransform& outer) const {
  SoundTransform t;
  t.volume = volume * outer.volume / 100;
  t.leftToLeft = (leftToLeft * outer.leftToLeft + leftToRight * outer.rightToLeft) / 100;
  t.leftToRight = (leftToLeft * outer.leftToRight + leftToRight * outer.rightToRight) / 100;
  t.rightToLeft = (rightToLeft * outer.leftToLeft + rightToRight * outer.rightToLeft) / 100;
  t.rightToRight = (rightToLeft * outer.leftToRight + rightToRight * outer.rightToRight) / 100;
  return t;
}

}  // namespace movie::sound

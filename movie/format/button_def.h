#pragma once
// A button character: the objects of its four states, the hit area, and the actions
// that run on pointer and key transitions.
#include <cstdint>
#include <vector>

#include "movie/format/timeline_def.h"

namespace movie::format {

// The states a button shows; Hit is never drawn, it is where the pointer counts as over.
enum ButtonState { kButtonUp = 0, kButtonOver = 1, kButtonDown = 2, kButtonHit = 3 };

// Transition flags of a button action.
enum ButtonCondition : uint16_t {
  kIdleToOverUp = 0x0001,
  kOverUpToIdle = 0x0002,
  kOverUpToOverDown = 0x0004,
  kOverDownToOverUp = 0x0008,
  kOverDownToOutDown = 0x0010,
  kOutDownToOverDown = 0x0020,
  kOutDownToIdle = 0x0040,
  kIdleToOverDown = 0x0080,
  kOverDownToIdle = 0x0100,
};

struct ButtonAction {
  uint16_t conditions = 0;
  int keyCode = 0;  // 0: no key; 1-19 the special keys, 32-126 characters
  std::vector<uint8_t> actions;
};

struct ButtonDef {
  uint16_t id = 0;
  bool trackAsMenu = false;
  // One frame per state (ButtonState order), each placing that state's objects.
  Timeline states;
  std::vector<ButtonAction> actions;
  // Sounds of the transitions OverUpToIdle, IdleToOverUp, OverUpToOverDown,
  // OverDownToOverUp with their sound-info records (sound id 0: none).
  SoundRef sounds[4];
};

}  // namespace movie::format

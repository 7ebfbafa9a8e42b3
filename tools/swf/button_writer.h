#pragma once
// Buttons for test movies: DefineButton (actions on release) and DefineButton2 (actions
// on any transition or key).
#include <cstdint>
#include <optional>
#include <vector>

#include "tools/swf/actions.h"
#include "tools/swf/swf_writer.h"

namespace swf {

enum ButtonStateBit : uint8_t { kButtonUp = 1, kButtonOver = 2, kButtonDown = 4, kButtonHit = 8 };

// Transition bits of a DefineButton2 action (the key code goes separately).
enum ButtonTransition : uint16_t {
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

struct ButtonRecord {
  uint8_t states = kButtonUp | kButtonOver | kButtonDown | kButtonHit;
  uint16_t characterId = 0;
  uint16_t depth = 1;
  Matrix matrix;
  ColorTransform colorTransform;  // DefineButton2 only
};

struct ButtonAction {
  uint16_t transitions = 0;
  uint8_t key = 0;  // 1-19 special keys, 32-126 characters
  Actions actions;
};

// The usual records: one character for each of up (also the hit area), over and down.
std::vector<ButtonRecord> threeStates(uint16_t up, uint16_t over, uint16_t down);

void defineButton(TagList& tags, uint16_t id, const std::vector<ButtonRecord>& records, const Actions& onRelease);
void defineButton2(TagList& tags, uint16_t id, const std::vector<ButtonRecord>& records,
                   const std::vector<ButtonAction>& actions, bool trackAsMenu = false);

}  // namespace swf

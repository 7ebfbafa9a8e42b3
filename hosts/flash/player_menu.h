#pragma once
// The movie player's own right-click menu: the items, their command ids and check marks.
#include <windows.h>

namespace hosts::flash {

enum MenuCommand : UINT {
  kCmdZoomIn = 0x4101,   // 放大
  kCmdZoomOut,           // 缩小
  kCmdShowAll,           // 全部显示
  kCmdQualityLow,        // 画质 > 低
  kCmdQualityMedium,     // 画质 > 中
  kCmdQualityHigh,       // 画质 > 高
  kCmdPlay,              // 播放 (checked while playing)
  kCmdLoop,              // 循环 (checked while looping)
  kCmdRewind,            // 倒带
  kCmdForward,           // 前进
  kCmdBack,              // 后退
};

struct MenuState {
  bool movieShown = false;  // false: every command greyed (nothing to act on)
  bool playing = false;
  bool looping = false;
  int quality = 2;          // 0 low, 1 medium, 2 high
};

// A new pop-up menu for the state; the caller destroys it (DestroyMenu).
HMENU buildPlayerMenu(const MenuState& state);

}  // namespace hosts::flash

#include "hosts/flash/player_menu.h"

namespace hosts::flash {

HMENU buildPlayerMenu(const MenuState& s) {
  const UINT on = s.movieShown ? MF_ENABLED : MF_GRAYED;
  auto checked = [](bool c) { return c ? MF_CHECKED : MF_UNCHECKED; };
  HMENU quality = CreatePopupMenu();
  AppendMenuW(quality, MF_STRING | on | checked(s.quality == 0), kCmdQualityLow, L"低");
  AppendMenuW(quality, MF_STRING | on | checked(s.quality == 1), kCmdQualityMedium, L"中");
  AppendMenuW(quality, MF_STRING | on | checked(s.quality == 2), kCmdQualityHigh, L"高");

  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING | on, kCmdZoomIn, L"放大");
  AppendMenuW(menu, MF_STRING | on, kCmdZoomOut, L"缩小");
  AppendMenuW(menu, MF_STRING | on, kCmdShowAll, L"全部显示");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_POPUP | on, reinterpret_cast<UINT_PTR>(quality), L"画质");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | on | checked(s.playing), kCmdPlay, L"播放");
  AppendMenuW(menu, MF_STRING | on | checked(s.looping), kCmdLoop, L"循环");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | on, kCmdRewind, L"倒带");
  AppendMenuW(menu, MF_STRING | on, kCmdForward, L"前进");
  AppendMenuW(menu, MF_STRING | on, kCmdBack, L"后退");
  return menu;
}

}  // namespace hosts::flash

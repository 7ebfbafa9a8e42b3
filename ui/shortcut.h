#pragma once
// Keyboard shortcuts of menu items as numbers and as the text menus show.
#include <windows.h>

#include <string>

namespace ui {

// Shortcut values: virtual key | scShift | scCtrl | scAlt (0 = none).
constexpr int scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Ctrl+S", "F1", "Shift+Del"...; "" for 0.
std::string shortCutToText(int shortCut);
int textToShortCut(const std::string& text);

}  // namespace ui

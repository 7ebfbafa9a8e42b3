#include "ui/shortcut.h"

#include <utility>

namespace ui {
namespace {

const std::pair<int, const char*> kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"}, {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"}, {VK_HOME, "Home"}, {VK_LEFT, "Left"},
    {VK_UP, "Up"}, {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

std::string keyName(int key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  for (const auto& [k, n] : kKeyNames)
    if (k == key) return n;
  return {};
}

}  // namespace

std::string shortCutToText(int sc) {
  std::string name = keyName(sc & 0xFF);
  if (name.empty()) return {};
  std::string s;
  if (sc & scShift) s += "Shift+";
  if (sc & scCtrl) s += "Ctrl+";
  if (sc & scAlt) s += "Alt+";
  return s + name;
}

int textToShortCut(const std::string& text) {
  int mods = 0;
  std::string rest = text;
  for (;;) {
    if (rest.rfind("Shift+", 0) == 0) { mods |= scShift; rest = rest.substr(6); }
    else if (rest.rfind("Ctrl+", 0) == 0) { mods |= scCtrl; rest = rest.substr(5); }
    else if (rest.rfind("Alt+", 0) == 0) { mods |= scAlt; rest = rest.substr(4); }
    else break;
  }
  for (int k = 1; k < 256; ++k)
    if (!rest.empty() && keyName(k) == rest) return mods | k;
  return 0;
}

}  // namespace ui

#include "ui/menu_keys.h"

namespace ui {

namespace {
WPARAM plainKey(WPARAM key) { return key == VK_LMENU || key == VK_RMENU ? VK_MENU : key; }
bool isRepeat(LPARAM l) { return (l & (1 << 30)) != 0; }
}  // namespace

bool MenuKeys::route(const MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      keyDown(msg);
      return false;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return keyUp(msg);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      armed_ = 0;  // a click between press and release cancels, as the system does
      return false;
    default:
      return false;
  }
}

void MenuKeys::keyDown(const MSG& msg) {
  WPARAM key = plainKey(msg.wParam);
  if (isRepeat(msg.lParam) && key == armed_) return;
  bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
  bool alt = (HIWORD(msg.lParam) & KF_ALTDOWN) != 0;
  // Shift+F10 asks for a context menu, and Alt with another key is a shortcut.
  if (key == VK_F10 && !shift && !control && !alt)
    armed_ = VK_F10;
  else if (key == VK_MENU && !isRepeat(msg.lParam))
    armed_ = VK_MENU;
  else
    armed_ = 0;
}

bool MenuKeys::keyUp(const MSG& msg) {
  WPARAM key = plainKey(msg.wParam);
  bool opens = armed_ != 0 && key == armed_;
  armed_ = 0;
  if (!opens || !msg.hwnd) return false;
  HWND top = GetAncestor(msg.hwnd, GA_ROOT);
  // The top-level window itself gets the system's own handling.
  if (!top || top == msg.hwnd || !GetMenu(top)) return false;
  SendMessageW(top, WM_SYSCOMMAND, SC_KEYMENU, 0);
  return true;
}

}  // namespace ui

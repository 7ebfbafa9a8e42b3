#include "hosts/flash/text_input.h"

#include "movie/text/text_field.h"

namespace hosts::flash {
namespace {

bool editKeyOf(WPARAM vk, movie::text::EditKey& key) {
  using movie::text::EditKey;
  switch (vk) {
    case VK_BACK: key = EditKey::Backspace; return true;
    case VK_DELETE: key = EditKey::Delete; return true;
    case VK_LEFT: key = EditKey::Left; return true;
    case VK_RIGHT: key = EditKey::Right; return true;
    case VK_HOME: key = EditKey::Home; return true;
    case VK_END: key = EditKey::End; return true;
    case VK_UP: key = EditKey::Up; return true;
    case VK_DOWN: key = EditKey::Down; return true;
    default: return false;
  }
}

// The character a key press types, for scripts that ask which one it was: the WM_CHAR
// that the message loop's translation queued for this very key (same scan code), else
// what the keyboard layout makes of the key in the current keyboard state. A dead key is
// not asked about, since asking would spoil the character it combines into next.
char32_t characterOfKey(HWND hwnd, WPARAM vk, LPARAM lp) {
  UINT scanCode = UINT(lp >> 16) & 0xFF;
  MSG next;
  if (PeekMessageW(&next, hwnd, WM_CHAR, WM_CHAR, PM_NOREMOVE) && (UINT(next.lParam >> 16) & 0xFF) == scanCode)
    return next.wParam >= 0xD800 && next.wParam <= 0xDFFF ? 0 : char32_t(next.wParam);
  if (MapVirtualKeyW(UINT(vk), MAPVK_VK_TO_CHAR) & 0x80000000u) return 0;
  BYTE state[256];
  if (!GetKeyboardState(state)) return 0;
  wchar_t typed[4] = {};
  int n = ToUnicode(UINT(vk), scanCode, state, typed, 4, 0);
  return n == 1 && !(typed[0] >= 0xD800 && typed[0] <= 0xDFFF) ? char32_t(typed[0]) : 0;
}

}  // namespace

bool forwardTextInput(movie::Player& player, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  double x = double(short(LOWORD(lp))), y = double(short(HIWORD(lp)));
  switch (msg) {
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      SetCapture(hwnd);
      return player.pointerDown(x, y);
    case WM_MOUSEMOVE:
      return player.pointerMove(x, y);
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd) ReleaseCapture();
      return player.pointerUp();
    case WM_CHAR:
      // Surrogate halves and control characters other than Return and Tab are not text.
      if (wp >= 0xD800 && wp <= 0xDFFF) return false;
      return player.typeChar(char32_t(wp));
    case WM_KEYDOWN: {
      bool changed = player.keyDown(int(wp), characterOfKey(hwnd, wp, lp));
      movie::text::EditKey key;
      return (editKeyOf(wp, key) && player.editKey(key)) || changed;
    }
    case WM_KEYUP:
      return player.keyUp(int(wp));
    case WM_MOUSEWHEEL:
      return player.wheel(double(GET_WHEEL_DELTA_WPARAM(wp)) / WHEEL_DELTA);
    default:
      return false;
  }
}

}  // namespace hosts::flash

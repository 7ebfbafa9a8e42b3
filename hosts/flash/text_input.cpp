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
      bool changed = player.keyDown(int(wp), 0);
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

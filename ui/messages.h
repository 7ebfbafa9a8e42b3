// The framework's control messages, sent (SendMessageW) to a control's window where
// the framework raises them, so that a procedure put in front of the window with
// SetWindowLong(GWL_WNDPROC) sees them.
#pragma once

namespace ui {

constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_FOCUSCHANGED = 0xB007;        // lParam: the control getting the focus
constexpr unsigned CM_PARENTCOLORCHANGED = 0xB009;
constexpr unsigned CM_ENABLEDCHANGED = 0xB00C;      // wParam: 1 enabled, 0 disabled
constexpr unsigned CM_CTL3DCHANGED = 0xB010;
constexpr unsigned CM_PARENTCTL3DCHANGED = 0xB011;
constexpr unsigned CM_TEXTCHANGED = 0xB012;
constexpr unsigned CM_MOUSEENTER = 0xB013;
constexpr unsigned CM_MOUSELEAVE = 0xB014;
constexpr unsigned CM_EXIT = 0xB01B;
constexpr unsigned CM_INVALIDATE = 0xB034;
constexpr unsigned CM_COLORCHANGED = 0xB00B;        // the control's own colour
constexpr unsigned CM_FONTCHANGED = 0xB00E;
// Notifications a parent reflects to the child control they concern (CN_BASE + WM_COMMAND...).
constexpr unsigned CN_BASE = 0xBC00;

}  // namespace ui

// The flat frame of pop-up menu windows: a one-pixel border, the inner edge painted in
// the menu's colours and a two-pixel shadow. Windows tells a menu's owner nothing about
// the pop-up window, so item painting asks for the frame through a private message to
// the application's hidden window (coalesced: one waiting message at a time), and the
// menu manager's hook paints it after Windows has finished the menu. A window
// procedure put in front of the pop-up window cleans up when it is hidden or closed.
#pragma once
#include <windows.h>

namespace xpmenu {

// lParam: the menu item just painted (a pop-up item on a device context without window).
constexpr UINT XPM_FRAMEITEM = 0xBCB3;
// wParam: 1 for a right-to-left menu; lParam: the pop-up window.
constexpr UINT XPM_FRAMEWINDOW = 0xBCB4;

// Runs in front of a framed pop-up window; its previous procedure is kept in the
// window's user-data slot.
LRESULT CALLBACK FlatFrameWndProc(HWND wnd, UINT msg, WPARAM w, LPARAM l);

// Answers the two frame messages with the manager's subclassing skin as the painter
// (none: nothing is painted). True when msg was one of them.
bool HandleFlatFrameMessage(UINT msg, WPARAM w, LPARAM l);

}  // namespace xpmenu

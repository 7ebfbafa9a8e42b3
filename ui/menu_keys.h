// Keyboard access to a window's menu bar from any control inside it.
//
// A press and release of F10, or of Alt alone, opens the menu bar of the focused
// control's top-level window. The system does this for a top-level window that has the
// focus; for a child control it relies on the control's window procedure handing both
// key messages to the default handling, which embedded components and some controls
// do not do. The message loop therefore routes the release itself for every child.
#pragma once
#include <windows.h>

namespace ui {

class MenuKeys {
 public:
  // Sees each queued message before dispatch; true when it took the message (the
  // release that opened the menu), which is then not dispatched.
  bool route(const MSG& msg);

 private:
  void keyDown(const MSG& msg);
  bool keyUp(const MSG& msg);
  WPARAM armed_ = 0;  // the key whose release opens the menu (VK_F10, VK_MENU), or 0
};

}  // namespace ui

#pragma once
// A menu that pops up at a point of the screen.
#include <windows.h>

#include "ui/menu.h"

namespace ui {

class PopupMenu : public Menu {
 public:
  explicit PopupMenu(Component* owner);
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }
  // Shows the menu at a screen point and waits until it closes; the chosen item's
  // onClick runs afterwards.
  void popup(int x, int y);
  NotifyEvent onPopup;

 protected:
  HMENU createHandle() override;
};

}  // namespace ui

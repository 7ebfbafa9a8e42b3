#include "ui/popup_menu.h"

#include "ui/application.h"
#include "ui/form.h"

namespace ui {

const ClassInfo& PopupMenu::staticClassInfo() {
  static const ClassInfo info = ClassInfo("TPopupMenu", &Menu::staticClassInfo(), makeComponent<PopupMenu>)
                                    .prop(prop::event("OnPopup", &PopupMenu::onPopup));
  return info;
}

PopupMenu::PopupMenu(Component* owner) : Menu(owner) {}

HMENU PopupMenu::createHandle() { return CreatePopupMenu(); }

void PopupMenu::popup(int x, int y) {
  PopupMenu* self = this;
  onPopup(self);
  HWND owner = application().mainForm() ? application().mainForm()->handle() : application().handle();
  UINT cmd = static_cast<UINT>(
      TrackPopupMenu(handle(), (isRightToLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN) | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                     x, y, 0, owner, nullptr));
  if (cmd)
    if (MenuItem* item = findCommand(cmd)) dispatchEvent([item] { item->click(); });
}

}  // namespace ui

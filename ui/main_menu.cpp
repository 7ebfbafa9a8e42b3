#include "ui/main_menu.h"

#include "ui/form.h"

namespace ui {

const ClassInfo& MainMenu::staticClassInfo() {
  static const ClassInfo info("TMainMenu", &Menu::staticClassInfo(), makeComponent<MainMenu>);
  return info;
}

MainMenu::MainMenu(Component* owner) : Menu(owner) {}

MainMenu::~MainMenu() {
  if (form_) form_->setMenu(nullptr);
}

HMENU MainMenu::createHandle() { return CreateMenu(); }

HWND MainMenu::windowHandle() const { return form_ && form_->handleAllocated() ? form_->handle() : nullptr; }

void MainMenu::changed() {
  Menu::changed();
  if (HWND w = windowHandle()) DrawMenuBar(w);
}

}  // namespace ui

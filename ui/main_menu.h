#pragma once
// A form's menu bar.
#include <windows.h>

#include "ui/menu.h"

namespace ui {

class Form;

class MainMenu : public Menu {
 public:
  explicit MainMenu(Component* owner);
  ~MainMenu() override;  // takes itself off its form first
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }
  bool isMainMenu() const override { return true; }
  HWND windowHandle() const override;
  // The form that shows it (set by Form::setMenu).
  Form* form() const { return form_; }

 protected:
  HMENU createHandle() override;
  void changed() override;

 private:
  friend class Form;
  Form* form_ = nullptr;
};

}  // namespace ui

// Controls the program does not have, for the skin's tests only: list boxes, edits,
// buttons, group boxes and the other kinds the menu skin recognises by class or by
// class name. Each is a windowed control over a system window class (or the
// framework's own, for containers), registered under its class name so a form
// description can hold it.
#pragma once
#include <string>

#include "ui/win_control.h"

namespace skintest {

class TestControl : public ui::WinControl {
 public:
  // The control of a registered test class (see registerTestControls).
  TestControl(ui::Component* owner, const ui::ClassInfo& info);
  const ui::ClassInfo& classInfo() const override { return *info_; }

 protected:
  void createParams(ui::CreateParams& params) override;
  // A push button's click (reflected by its parent) raises onClick.
  LRESULT wndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  const ui::ClassInfo* info_;
};

// Registers TCustomEdit and its TEdit, TMemo, TMaskEdit, TDBEdit; TListBox and a
// derived TSortedListBox; TButton, TBitBtn, TCheckBox, TRadioButton, TGroupBox,
// TUpDown, TDBNavigator, TDBLookupComboBox; the containers TDBCtrlPanel, TdxTabSheet
// and TScrollBox.
void registerTestControls();
// Makes a control of a registered test class, parented to parent.
TestControl* makeTestControl(const std::string& className, ui::WinControl* parent);

}  // namespace skintest

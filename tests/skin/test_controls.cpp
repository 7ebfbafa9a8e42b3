#include "test_controls.h"

#include <commctrl.h>

#include <map>
#include <memory>

#include "ui/stream.h"

namespace skintest {

namespace {

struct Kind {
  const wchar_t* windowClass;  // null: the framework's own window (a container)
  DWORD style;
};

struct Entry {
  std::unique_ptr<ui::ClassInfo> info;
  Kind kind;
};

std::map<std::string, Entry>& kinds() {
  static std::map<std::string, Entry> m;
  return m;
}

const ui::ClassInfo& add(const char* name, const ui::ClassInfo* base, Kind kind) {
  auto& e = kinds()[name];
  e.kind = kind;
  e.info = std::make_unique<ui::ClassInfo>(name, base ? base : &ui::WinControl::staticClassInfo(),
                                           [name](ui::Component* owner) -> ui::Component* {
                                             return ui::make<TestControl>(owner, *kinds()[name].info);
                                           });
  ui::registerClass(*e.info);
  return *e.info;
}

}  // namespace

TestControl::TestControl(ui::Component* owner, const ui::ClassInfo& info) : ui::WinControl(owner), info_(&info) {
  width_ = 80;
  height_ = 40;
  if (info.inheritsFrom(*kinds()["TCustomEdit"].info) || info.inheritsFrom(*kinds()["TListBox"].info))
    borderStyle_ = ui::BorderStyle::Single;
}

void TestControl::createParams(ui::CreateParams& p) {
  ui::WinControl::createParams(p);
  const Kind& k = kinds()[info_->name()].kind;
  if (!k.windowClass) return;
  p.className = k.windowClass;
  p.systemClass = true;
  p.style |= k.style;
}

void registerTestControls() {
  static bool done = false;
  if (done) return;
  done = true;
  const ui::ClassInfo& edit = add("TCustomEdit", nullptr, {L"EDIT", ES_AUTOHSCROLL});
  add("TEdit", &edit, {L"EDIT", ES_AUTOHSCROLL});
  add("TMemo", &edit, {L"EDIT", ES_MULTILINE});
  add("TMaskEdit", &edit, {L"EDIT", ES_AUTOHSCROLL});
  add("TDBEdit", &edit, {L"EDIT", ES_AUTOHSCROLL});
  const ui::ClassInfo& list = add("TListBox", nullptr, {L"LISTBOX", LBS_NOTIFY});
  add("TSortedListBox", &list, {L"LISTBOX", LBS_NOTIFY | LBS_SORT});
  const ui::ClassInfo& button = add("TButton", nullptr, {L"BUTTON", BS_PUSHBUTTON});
  add("TBitBtn", &button, {L"BUTTON", BS_PUSHBUTTON});
  add("TCheckBox", nullptr, {L"BUTTON", BS_AUTOCHECKBOX});
  add("TRadioButton", nullptr, {L"BUTTON", BS_AUTORADIOBUTTON});
  add("TGroupBox", nullptr, {nullptr, 0});
  add("TUpDown", nullptr, {UPDOWN_CLASSW, 0});
  add("TDBNavigator", nullptr, {nullptr, 0});
  add("TDBLookupComboBox", nullptr, {L"COMBOBOX", CBS_DROPDOWNLIST});
  add("TDBCtrlPanel", nullptr, {nullptr, 0});
  add("TdxTabSheet", nullptr, {nullptr, 0});
  add("TScrollBox", nullptr, {nullptr, 0});
}

TestControl* makeTestControl(const std::string& className, ui::WinControl* parent) {
  registerTestControls();
  ui::WinControl* form = parent;  // the top of the parent chain owns the control
  while (form && form->parent()) form = form->parent();
  auto* c = static_cast<TestControl*>(ui::createComponent(className, form));
  c->setParent(parent);
  return c;
}

}  // namespace skintest

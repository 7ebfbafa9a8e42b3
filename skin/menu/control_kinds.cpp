#include "skin/menu/control_kinds.h"

#include <cstring>

#include "ui/form.h"
#include "ui/panel.h"
#include "ui/treeview.h"

namespace xpmenu {

bool IsClass(const ui::Persistent& object, const char* name) {
  for (const ui::ClassInfo* c = &object.classInfo(); c; c = c->base())
    if (c->name() == name) return true;
  return false;
}

bool IsNamed(const ui::Persistent& object, const char* name) { return object.className() == name; }

namespace {

bool isListBox(const ui::Component& c) { return IsClass(c, "TListBox"); }
bool isTreeView(const ui::Component& c) { return dynamic_cast<const ui::TreeView*>(&c) != nullptr; }
bool isPanel(const ui::Component& c) { return dynamic_cast<const ui::Panel*>(&c) != nullptr; }
bool isGroupBox(const ui::Component& c) { return IsClass(c, "TGroupBox"); }
bool isEdit(const ui::Component& c) { return IsClass(c, "TCustomEdit"); }

}  // namespace

bool IsThemedKind(const ui::Component& c, TXPControls controls) {
  return (Has(controls, xcListBox) && isListBox(c)) || (Has(controls, xcTreeView) && isTreeView(c)) ||
         (Has(controls, xcPanel) && isPanel(c)) || (Has(controls, xcGroupBox) && isGroupBox(c)) ||
         (Has(controls, xcMaskEdit) && (IsNamed(c, "TMaskEdit") || IsNamed(c, "TDBEdit"))) ||
         (Has(controls, xcBitBtn) && IsNamed(c, "TBitBtn")) ||
         (Has(controls, xcButton) &&
          (IsNamed(c, "TButton") || IsNamed(c, "TDBNavigator") || IsNamed(c, "TDBLookupComboBox"))) ||
         (Has(controls, xcUpDown) && IsNamed(c, "TUpDown"));
}

bool IsThemedContainer(const ui::Component& p, TXPContainers containers) {
  return (Has(containers, xccForm) && dynamic_cast<const ui::Form*>(&p)) ||
         (Has(containers, xccPanel) && isPanel(p)) || (Has(containers, xccGroupBox) && isGroupBox(p)) ||
         (Has(containers, xccFrame) && IsNamed(p, "TDBCtrlPanel")) ||
         (Has(containers, xccTabSheet) && IsNamed(p, "TdxTabSheet"));
}

bool SavesBorderStyle(const ui::Component& c) { return isEdit(c) || isListBox(c) || isTreeView(c); }

bool SavesCtl3D(const ui::Component& c) { return SavesBorderStyle(c) || IsNamed(c, "TDBLookupComboBox"); }

}  // namespace xpmenu

#include "skin/menu/control_subclass.h"

#include "skin/menu/control_kinds.h"
#include "skin/menu/xp_menu.h"

TControlSubClass::TControlSubClass(TXPMenu* skin, ui::WinControl* control)
    : ui::Component(skin), skin_(skin), control_(control) {
  savedCtl3D_ = control->ctl3D();
  savedBorderStyle_ = control->borderStyle();
  attach(*control);
  savedWindowProc_ = previousProc();
}

TControlSubClass::TControlSubClass(TXPMenu* skin, TControlSubClass& from)
    : ui::Component(skin),
      skin_(skin),
      control_(from.control_),
      savedWindowProc_(from.savedWindowProc_),
      savedCtl3D_(from.savedCtl3D_),
      savedBorderStyle_(from.savedBorderStyle_) {
  takePlaceOf(from);
}

TControlSubClass::~TControlSubClass() = default;

bool TControlSubClass::Recreating() const { return recreating_ || (control_ && control_->recreating()); }

void TControlSubClass::RestoreWindowProc() { detach(); }

void TControlSubClass::RestoreAppearance(bool all) {
  if (!control_) return;
  bool list = xpmenu::SavesBorderStyle(*control_) && !xpmenu::IsClass(*control_, "TCustomEdit");
  if (list) {
    control_->setBorderStyle(savedBorderStyle_);
    if (all) control_->setCtl3D(savedCtl3D_);
  } else if (xpmenu::SavesCtl3D(*control_)) {
    control_->setCtl3D(savedCtl3D_);
  }
}

void TControlSubClass::Unhook(bool restoreLook) {
  RestoreWindowProc();
  if (restoreLook) {
    try {
      RestoreAppearance(false);
    } catch (...) {
    }
  }
  delete this;
}

void TControlSubClass::controlDestroyed() { control_ = nullptr; }

LRESULT TControlSubClass::windowProc(UINT msg, WPARAM w, LPARAM l) {
  bool lookup = control_ && xpmenu::IsNamed(*control_, "TDBLookupComboBox");
  LRESULT result = (msg == WM_NCPAINT && lookup) ? 1 : callPrevious(msg, w, l);
  if (!skin_->Active()) {
    Unhook(true);  // the skin was switched off: the first message undoes the theming
    return 1;
  }
  lastMessage_ = msg;
  switch (msg) {
    case WM_DESTROY:
      if (!Recreating()) Unhook(false);  // the control goes: only the procedure is put back
      return result;
    case WM_PAINT:
      recreating_ = false;
      break;
    case WM_WINDOWPOSCHANGED:
    case 0x00B8:
    case ui::CM_CTL3DCHANGED:
    case ui::CM_PARENTCTL3DCHANGED:
    case ui::CM_INVALIDATE:
    case 0xBE10:
      recreating_ = true;
      break;
    default:
      break;
  }
  return result;
}

#include "skin/menu/control_subclass.h"

#include "skin/menu/control_kinds.h"
#include "skin/menu/control_look.h"
#include "skin/menu/xp_menu.h"
#include "ui/panel.h"

using xpmenu::PaintKind;

// One call of the record's procedure under way. The outermost one frees a record that
// let go of its control; a record destroyed meanwhile (its skin went) clears `record`
// in every call under way, so none touches it afterwards.
class TControlSubClass::CallDepth {
 public:
  explicit CallDepth(TControlSubClass& r) : record(&r), outer(r.calls_) { r.calls_ = this; }
  ~CallDepth() {
    if (!record) return;
    record->calls_ = outer;
    if (!outer && record->unhooked_) delete record;
  }
  CallDepth(const CallDepth&) = delete;
  CallDepth& operator=(const CallDepth&) = delete;
  TControlSubClass* record;
  CallDepth* outer;
};

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
      savedWindowProc_(from.SavedWindowProc()),
      savedCtl3D_(from.savedCtl3D_),
      savedBorderStyle_(from.savedBorderStyle_) {
  takePlaceOf(from);
}

TControlSubClass::~TControlSubClass() {
  for (CallDepth* c = calls_; c; c = c->outer) c->record = nullptr;
}

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
  unhooked_ = true;
  if (!restoreLook) return;
  try {
    RestoreAppearance(false);
  } catch (...) {
  }
}

// A control destroyed while visible was hidden first, which marked it as being
// recreated, so its WM_DESTROY kept the record: it goes with the control instead.
void TControlSubClass::controlDestroyed() {
  control_ = nullptr;
  if (calls_)
    unhooked_ = true;
  else
    delete this;
}

WNDPROC TControlSubClass::SavedWindowProc() const { return previousProc() ? previousProc() : savedWindowProc_; }

LRESULT TControlSubClass::windowProc(UINT msg, WPARAM w, LPARAM l) {
  CallDepth call(*this);
  return HandleMessage(call, msg, w, l);
}

LRESULT TControlSubClass::HandleMessage(const CallDepth& call, UINT msg, WPARAM w, LPARAM l) {
  bool lookup = control_ && xpmenu::IsNamed(*control_, "TDBLookupComboBox");
  // The lookup combo's own frame is not painted: the skin paints a flat one.
  LRESULT result = (msg == WM_NCPAINT && lookup) ? 1 : callPrevious(msg, w, l);
  if (!call.record || unhooked_ || !control_) return result;  // let go meanwhile
  if (!skin_->Active()) {
    Unhook(true);  // the skin was switched off: the first message undoes the theming
    return 1;
  }
  lastMessage_ = msg;
  if (msg == WM_DESTROY) {
    if (!Recreating()) Unhook(false);  // the control goes: only the procedure is put back
    return result;
  }
  HandleActive(msg, w);
  // A double click on a button is a second press.
  if (msg == WM_LBUTTONDBLCLK && call.record && !unhooked_ && control_ &&
      xpmenu::PaintKindOf(*control_) == PaintKind::Button)
    HandleMessage(call, WM_LBUTTONDOWN, w, l);
  return result;
}

void TControlSubClass::HandleActive(UINT msg, WPARAM w) {
  switch (msg) {
    case WM_SETFOCUS:
      hot_ = true;
      break;
    case WM_KILLFOCUS:
    case ui::CM_EXIT:
    case BM_GETCHECK:
    case BM_SETCHECK:
      hot_ = false;
      break;
    case WM_PAINT:
      recreating_ = false;
      break;
    case WM_NCPAINT:
      if (xpmenu::PaintKindOf(*control_) == PaintKind::ListOrTree) PaintFlatBorder();
      return;
    case WM_WINDOWPOSCHANGED:
    case 0x00B8:
    case ui::CM_CTL3DCHANGED:
    case ui::CM_PARENTCTL3DCHANGED:
    case ui::CM_INVALIDATE:
    case 0xBE10:
      recreating_ = true;  // the window may be about to be made again: keep the theming
      return;
    case BM_SETSTATE:
    case ui::CM_FOCUSCHANGED:
    case ui::CM_PARENTCOLORCHANGED:
    case ui::CM_TEXTCHANGED:
      break;
    case ui::CM_ENABLEDCHANGED:
      if (w == 0) hot_ = false;
      break;
    case ui::CM_MOUSEENTER:
    case ui::CM_MOUSELEAVE:
      if (!control_->enabled()) return;
      hot_ = msg == ui::CM_MOUSEENTER;
      break;
    default:
      if (!HandleMouseAndKeys(msg, w)) return;
      break;
  }
  PaintControl();
}

bool TControlSubClass::HandleMouseAndKeys(UINT msg, WPARAM w) {
  switch (msg) {
    case WM_KEYDOWN:
      if (w != VK_SPACE || spaceDown_) return false;  // held down: painted once
      spaceDown_ = true;
      return true;
    case WM_KEYUP:
      if (w != VK_SPACE) return false;
      spaceDown_ = false;
      return true;
    case WM_MOUSEMOVE:
      return control_->enabled() && xpmenu::PaintKindOf(*control_) == PaintKind::UpDown;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      mouseDown_ = msg == WM_LBUTTONDOWN;
      return true;
    default:
      return false;
  }
}

void TControlSubClass::FlattenEdge() {
  if (!control_->ctl3D()) return;
  recreating_ = true;
  control_->setCtl3D(false);
}

xpmenu::ControlLook TControlSubClass::Look() {
  focused_ = GetFocus() == control_->handle();
  xpmenu::ControlLook look;
  look.hot = hot_;
  look.focused = focused_;
  look.pressed = spaceDown_ || (mouseDown_ && hot_);
  look.savedBorderStyle = savedBorderStyle_;
  look.lastMessage = lastMessage_;
  return look;
}

void TControlSubClass::PaintFlatBorder() {
  if (!control_ || !control_->handleAllocated()) return;
  FlattenEdge();
  if (!control_ || !control_->handleAllocated()) return;
  xpmenu::PaintFlatBorder(*skin_, *control_, Look());
}

void TControlSubClass::PaintControl() {
  if (!control_ || !control_->handleAllocated()) return;
  if (skin_->PaletteDirty()) {
    ui::WindowCanvas screen(nullptr);
    skin_->UpdatePalette(screen.handle());
  }
  switch (xpmenu::PaintKindOf(*control_)) {
    case PaintKind::ListOrTree:
      PaintFlatBorder();
      break;
    case PaintKind::Edit:
      FlattenEdge();
      xpmenu::PaintEditBorder(*skin_, *control_, Look());
      break;
    case PaintKind::LookupCombo:
      xpmenu::PaintDropDown(*skin_, *control_, Look());
      break;
    case PaintKind::Button:
      xpmenu::PaintButtonFace(*skin_, *control_, Look());
      break;
    case PaintKind::Panel:
      xpmenu::PaintPanelBevels(static_cast<ui::Panel&>(*control_), Look());
      break;
    case PaintKind::GroupBox:
      xpmenu::PaintGroupFrame(*control_, Look());
      break;
    case PaintKind::UpDown:  // keeps the system's own look
    case PaintKind::None:
      break;
  }
}

#include "skin/menu/menu_manager.h"

#include <algorithm>

#include "skin/menu/control_subclass.h"
#include "skin/menu/flat_frame.h"
#include "skin/menu/xp_menu.h"
#include "ui/application.h"

namespace {

TXPMenuManager* gManager = nullptr;

template <class T>
bool contains(const std::vector<T*>& list, const void* p) {
  return std::find(list.begin(), list.end(), p) != list.end();
}

template <class T>
void erase(std::vector<T*>& list, const void* p) {
  list.erase(std::remove(list.begin(), list.end(), p), list.end());
}

// A form still alive: the screen lists every form until it is destroyed.
bool isLiveForm(const ui::Form* f) { return contains(ui::screen().forms(), f); }

}  // namespace

TXPMenuManager* TXPMenuManager::Instance() { return gManager; }

TXPMenuManager& TXPMenuManager::Ensure() {
  if (!gManager) gManager = new TXPMenuManager;
  return *gManager;
}

void TXPMenuManager::Release() {
  delete gManager;
  gManager = nullptr;
}

TXPMenuManager::TXPMenuManager() {
  hookId_ = ui::application().hookMainWindow([this](UINT msg, WPARAM w, LPARAM l, LRESULT&) {
    MainWindowHook(msg, w, l);
    return false;
  });
}

// The hook must not outlive the manager.
TXPMenuManager::~TXPMenuManager() { ui::application().unhookMainWindow(hookId_); }

void TXPMenuManager::AddSkin(TXPMenu* skin) {
  skins_.push_back(skin);
  handledForms_.push_back(skin->OwnerForm());
  if (!subclassingSkin_ && skin->Active() && !skin->DisableSubclassing()) {
    subclassingSkin_ = skin;
    CollectForms();
  }
}

void TXPMenuManager::RemoveSkin(TXPMenu* skin) {
  if (skin == subclassingSkin_) HandOver(skin);
  erase(skins_, skin);
}

TXPMenu* TXPMenuManager::FindEligibleSkin(const TXPMenu* excluded) const {
  for (TXPMenu* s : skins_)
    if (s->Active() && !s->DisableSubclassing() && s != excluded) return s;
  return nullptr;
}

void TXPMenuManager::HandOver(TXPMenu* leaving) {
  TXPMenu* other = FindEligibleSkin(leaving);
  if (other && !subclassingSkin_) {
    subclassingSkin_ = other;
    CollectForms();
    return;
  }
  if (other) {
    if (leaving) MoveRecords(leaving, other);
  } else {
    pendingForms_.clear();
    if (ui::application().mainForm())
      for (ui::Form* f : std::vector<ui::Form*>(handledForms_))
        if (!leaving || f != leaving->OwnerForm()) RestoreControls(f);
    handledForms_.clear();
  }
  subclassingSkin_ = other;
}

// Controls outside the leaving skin's form get a record of the new skin in the place
// of the subclassing skin's; the old records stay with their skin and go with it.
void TXPMenuManager::MoveRecords(TXPMenu* leaving, TXPMenu* to) {
  for (TControlSubClass* r : subclassingSkin_->Records()) {
    ui::WinControl* c = r->Control();
    if (!c || (leaving->OwnerForm() && leaving->OwnerForm()->containsControl(c))) continue;
    if (!r->control()) continue;  // no longer in front of the control
    new TControlSubClass(to, *r);
  }
}

void TXPMenuManager::CollectForms() {
  for (ui::Form* f : ui::screen().forms()) {
    if (contains(handledForms_, f) || f->tag() == 999) continue;
    bool hasSkin = false;
    for (ui::Component* c : f->components())
      if (dynamic_cast<TXPMenu*>(c)) hasSkin = true;
    if (!hasSkin) pendingForms_.push_back(f);
  }
}

void TXPMenuManager::FormNotification(ui::Component* c, ui::Operation op) {
  if (!subclassingSkin_) return;
  if (op == ui::Operation::Insert) {
    if (auto* f = dynamic_cast<ui::Form*>(c); f && !contains(pendingForms_, f)) pendingForms_.push_back(f);
  } else {
    erase(pendingForms_, c);  // compared by address: c may be half destroyed
    erase(handledForms_, c);
  }
}

void TXPMenuManager::MainWindowHook(UINT msg, WPARAM w, LPARAM l) {
  xpmenu::HandleFlatFrameMessage(msg, w, l);
  if (!pendingForms_.empty()) ThemePendingForms();
}

void TXPMenuManager::ThemePendingForms() {
  try {
    for (ui::Form* f : std::vector<ui::Form*>(pendingForms_)) {
      if (contains(handledForms_, f) || !isLiveForm(f) || !subclassingSkin_) continue;
      handledForms_.push_back(f);
      subclassingSkin_->ApplyToForm(f, true, true);
    }
  } catch (...) {
    return;  // the rest of this round is skipped; the queue stays as it was
  }
  pendingForms_.clear();
}

void TXPMenuManager::RestoreControls(ui::Form* form) {
  if (!subclassingSkin_ || !isLiveForm(form)) return;
  std::vector<TControlSubClass*> records = subclassingSkin_->Records();
  for (auto it = records.rbegin(); it != records.rend(); ++it) {
    TControlSubClass* r = *it;
    if (!r->Control() || !form->containsControl(r->Control())) continue;
    r->RestoreWindowProc();
    try {
      r->RestoreAppearance(true);
    } catch (...) {
    }
  }
}

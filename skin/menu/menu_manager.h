// TXPMenuManager: one per process while a menu skin exists. It knows every skin, picks
// the one skin whose control theming spreads to the application's forms that have no
// skin of their own (SubclassingSkin), queues such forms and themes them from a hook
// on the application's hidden main window, and hands the role over when that skin goes.
#pragma once
#include <windows.h>

#include <vector>

#include "ui/component.h"

class TXPMenu;
namespace ui {
class Form;
}

class TXPMenuManager {
 public:
  // The manager, or null when no skin exists.
  static TXPMenuManager* Instance();
  // Makes the manager when there is none.
  static TXPMenuManager& Ensure();
  // Frees the manager (its hook goes with it).
  static void Release();

  const std::vector<TXPMenu*>& Skins() const { return skins_; }
  const std::vector<ui::Form*>& PendingForms() const { return pendingForms_; }
  const std::vector<ui::Form*>& HandledForms() const { return handledForms_; }
  TXPMenu* SubclassingSkin() const { return subclassingSkin_; }

  void AddSkin(TXPMenu* skin);
  void RemoveSkin(TXPMenu* skin);
  TXPMenu* FindEligibleSkin(const TXPMenu* excluded) const;
  void HandOver(TXPMenu* leaving);
  void CollectForms();
  void FormNotification(ui::Component* c, ui::Operation op);
  // Runs before the hidden main window handles a message; never handles it.
  void MainWindowHook(UINT msg, WPARAM w, LPARAM l);
  void RestoreControls(ui::Form* form);

 private:
  TXPMenuManager();
  ~TXPMenuManager();
  void ThemePendingForms();
  void MoveRecords(TXPMenu* leaving, TXPMenu* to);

  std::vector<TXPMenu*> skins_;
  std::vector<ui::Form*> pendingForms_;
  std::vector<ui::Form*> handledForms_;
  TXPMenu* subclassingSkin_ = nullptr;
  int hookId_ = 0;
};

// TControlSubClass: what the menu skin keeps for a control it gives the flat look: the
// control, the skin, the control's window procedure and appearance before theming.
// Owned by its skin (freed with it). Its procedure lets the control handle each
// message first; while the skin is inactive it undoes the theming at the next message.
#pragma once
#include "ui/component.h"
#include "ui/control.h"
#include "ui/window_subclass.h"

class TXPMenu;

class TControlSubClass : public ui::Component, public ui::WindowSubclass {
 public:
  // Themes control for skin (owner): its procedure goes in front of the control's window.
  TControlSubClass(TXPMenu* skin, ui::WinControl* control);
  // A record owned by skin for the same control with the same saved values, which
  // takes the place of from in front of the control's window.
  TControlSubClass(TXPMenu* skin, TControlSubClass& from);
  ~TControlSubClass() override;

  ui::WinControl* Control() const { return control_; }
  TXPMenu* Skin() const { return skin_; }
  WNDPROC SavedWindowProc() const { return savedWindowProc_; }
  bool SavedCtl3D() const { return savedCtl3D_; }
  ui::BorderStyle SavedBorderStyle() const { return savedBorderStyle_; }
  unsigned LastMessage() const { return lastMessage_; }
  bool Recreating() const;

  // Puts the saved window procedure back (the record stays).
  void RestoreWindowProc();
  // Puts the saved appearance back: edit controls their 3D border, list boxes and tree
  // views their border style (with all, their 3D border too).
  void RestoreAppearance(bool all);

 protected:
  LRESULT windowProc(UINT msg, WPARAM w, LPARAM l) override;
  void controlDestroyed() override;

 private:
  // Puts the procedure (and with restoreLook the appearance) back and frees the record.
  void Unhook(bool restoreLook);
  TXPMenu* skin_;
  ui::WinControl* control_;
  WNDPROC savedWindowProc_ = nullptr;
  bool savedCtl3D_ = true;
  ui::BorderStyle savedBorderStyle_ = ui::BorderStyle::None;
  bool recreating_ = false;
  unsigned lastMessage_ = 0;
};

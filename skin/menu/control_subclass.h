// TControlSubClass: what the menu skin keeps for a control it gives the flat look: the
// control, the skin, the control's window procedure and appearance before theming.
// Owned by its skin (freed with it). Its procedure lets the control handle each
// message first and then repaints the flat parts; while the skin is inactive it undoes
// the theming at the next message. A record that lets go of its control inside its
// procedure (the control's window went, or the skin was switched off) is freed once
// its outermost call has returned, so calls still under way never meet freed memory.
#pragma once
#include "skin/menu/control_look.h"
#include "ui/component.h"
#include "ui/win_control.h"
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
  // The procedure the record passes messages on to (the one it was put in front of).
  WNDPROC SavedWindowProc() const;
  bool SavedCtl3D() const { return savedCtl3D_; }
  ui::BorderStyle SavedBorderStyle() const { return savedBorderStyle_; }
  unsigned LastMessage() const { return lastMessage_; }
  bool Recreating() const;
  bool Hot() const { return hot_; }
  bool MouseDown() const { return mouseDown_; }
  bool SpaceDown() const { return spaceDown_; }
  bool Focused() const { return focused_; }

  // Recomputes Focused and paints the flat look of the control's kind.
  void PaintControl();

  // Puts the saved window procedure back (the record stays).
  void RestoreWindowProc();
  // Puts the saved appearance back: edit controls their 3D border, list boxes and tree
  // views their border style (with all, their 3D border too).
  void RestoreAppearance(bool all);

 protected:
  LRESULT windowProc(UINT msg, WPARAM w, LPARAM l) override;
  void controlDestroyed() override;

 private:
  class CallDepth;
  // Handles one message: the control's own handling, then the skin's.
  LRESULT HandleMessage(const CallDepth& call, UINT msg, WPARAM w, LPARAM l);
  // The skin's part while it is active: state changes and repaints.
  void HandleActive(UINT msg, WPARAM w);
  // Presses and the up-down's mouse moves; true when the control is to be repainted.
  bool HandleMouseAndKeys(UINT msg, WPARAM w);
  // The state the painters see (Focused recomputed).
  xpmenu::ControlLook Look();
  // Puts the procedure (and with restoreLook the appearance) back; the record is freed
  // when the outermost call of its procedure returns.
  void Unhook(bool restoreLook);
  // Switches the sunken 3D edge off (the border is then drawn flat by the skin).
  void FlattenEdge();
  void PaintFlatBorder();
  TXPMenu* skin_;
  ui::WinControl* control_;
  WNDPROC savedWindowProc_ = nullptr;
  bool savedCtl3D_ = true;
  ui::BorderStyle savedBorderStyle_ = ui::BorderStyle::None;
  bool recreating_ = false;
  unsigned lastMessage_ = 0;
  bool hot_ = false, mouseDown_ = false, spaceDown_ = false, focused_ = false;
  CallDepth* calls_ = nullptr;  // calls of the procedure under way, innermost first
  bool unhooked_ = false;       // let go of the control: freed when the outermost call returns
};

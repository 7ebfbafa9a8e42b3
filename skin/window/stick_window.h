// TStickWindow: while Active, a window moved or sized to within StickAt pixels of an
// edge of the primary work area is put flush against that edge (WM_WINDOWPOSCHANGING).
#pragma once
#include <windows.h>

#include "skin/window/xp_window_enums.h"
#include "ui/persistent.h"

class TStickWindow : public ui::Persistent {
 public:
  static const ui::ClassInfo& staticClassInfo();
  const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

  bool Active() const { return active_; }
  void SetActive(bool v) { active_ = v; }
  int StickAt() const { return stickAt_; }
  void SetStickAt(int v) { stickAt_ = v; }
  TDockBorders DockBorders() const { return dockBorders_; }
  void SetDockBorders(TDockBorders v) { dockBorders_ = v; }

  // Moves the proposed position against the work-area edges it comes near. Only the
  // left edge is a distance both ways: past the other edges by any amount snaps back.
  void SnapToWorkArea(WINDOWPOS& position) const;

 private:
  bool active_ = false;
  int stickAt_ = 20;
  TDockBorders dockBorders_ = kAllDockBorders;
};

// Splitter: a bar between an aligned control and the rest of its parent. Dragging it
// with the left button shows a hatched line on the parent and, on release, sets the
// neighbour's size: at least MinSize, leaving MinSize to the client area; a size of
// MinSize or less collapses the neighbour to 0 (AutoSnap). Escape cancels the drag.
#pragma once
#include "ui/win_control.h"

namespace ui {

class Splitter : public WinControl {
 public:
  explicit Splitter(Component* owner);
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }

  int minSize() const { return minSize_; }
  void setMinSize(int v) { minSize_ = v; }
  bool autoSnap() const { return autoSnap_; }
  void setAutoSnap(bool v) { autoSnap_ = v; }
  // The control the splitter resizes: the visible sibling aligned to the same side
  // and touching the splitter on that side (null when none).
  Control* findControl() const;
  bool dragging() const { return dragging_; }
  // The size the neighbour gets when the button is released now (-1 when not dragging).
  int pendingSize() const { return dragging_ ? newSize_ : -1; }

  NotifyEvent onMoved;

  LRESULT wndProc(UINT msg, WPARAM w, LPARAM l) override;

 protected:
  bool ownPaint() const override { return true; }
  void paint(Canvas& canvas) override;
  void createParams(CreateParams& params) override;

 private:
  void startDrag(int x, int y);
  void moveDrag(int x, int y);
  void endDrag(bool apply);
  void drawLine();
  int clampSize(int size) const;

  int minSize_ = 30;
  bool autoSnap_ = true;
  bool dragging_ = false;
  bool lineVisible_ = false;
  Control* target_ = nullptr;
  int downPos_ = 0;      // mouse position (parent coordinates) at the press
  int startSize_ = 0;
  int newSize_ = 0;
  int maxSize_ = 0;
  int linePos_ = 0;      // parent coordinate of the drawn line
  HWND prevFocus_ = nullptr;
};

}  // namespace ui

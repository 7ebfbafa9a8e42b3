// A control: the bounds, alignment, colour, font, cursor and mouse events that
// windowed and windowless controls share. WinControl (ui/win_control.h) adds the window.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/graphics.h"
#include "ui/messages.h"

namespace ui {

enum class Align { None, Top, Bottom, Left, Right, Client };
enum class BorderStyle { None, Single };
// BorderStyle's values as stored forms name them.
inline const std::vector<std::string> kBorderStyleNames = {"bsNone", "bsSingle"};
enum MouseButton { mbLeft = 0, mbRight = 1, mbMiddle = 2 };
enum ShiftState : int { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };

// Cursor identifiers as stored (crDefault 0, crArrow -2, crHandPoint -21, crHSplit -14...).
enum Cursor : int {
  crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
  crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16,
  crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22,
};
// The system cursor for an identifier (crHSplit/crVSplit: size cursors).
HCURSOR cursorHandle(int cursor);

using MouseEvent = Event<void(Component* sender, MouseButton button, int shift, int x, int y)>;
using MouseMoveEvent = Event<void(Component* sender, int shift, int x, int y)>;
using KeyEvent = Event<void(Component* sender, WORD& key, int shift)>;

class WinControl;
class WindowSubclass;

class Control : public Component {
 public:
  explicit Control(Component* owner);
  ~Control() override;
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }

  WinControl* parent() const { return parent_; }
  virtual void setParent(WinControl* p);
  void setParentComponent(Component* parent) override;
  Component* parentComponent() const override;

  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void setLeft(int v) { setBounds(v, top_, width_, height_); }
  void setTop(int v) { setBounds(left_, v, width_, height_); }
  void setWidth(int v) { setBounds(left_, top_, v, height_); }
  void setHeight(int v) { setBounds(left_, top_, width_, v); }
  RECT boundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual void setBounds(int l, int t, int w, int h);
  // The client area size (the window's, or the bounds when there is no window).
  virtual RECT clientRect() const;
  int clientWidth() const;
  int clientHeight() const;

  Align align() const { return align_; }
  void setAlign(Align a);
  bool visible() const { return visible_; }
  virtual void setVisible(bool v);
  void show() { setVisible(true); }
  void hide() { setVisible(false); }
  bool enabled() const { return enabled_; }
  virtual void setEnabled(bool v);

  TColor color() const { return color_; }
  void setColor(TColor c);
  // The font: the parent's while parentFont() is true (reading a Font.* property or
  // changing the font in code turns that off).
  Font& font() { return *font_; }
  bool parentFont() const { return parentFont_; }
  void setParentFont(bool v);
  bool parentColor() const { return parentColor_; }
  void setParentColor(bool v);
  int cursor() const { return cursor_; }
  void setCursor(int c) { cursor_ = c; }
  const std::string& caption() const { return caption_; }  // GBK
  void setCaption(const std::string& gbk);
  const std::string& hint() const { return hint_; }
  void setHint(const std::string& h) { hint_ = h; }

  // Sends a message to the control's window (nothing, returning 0, without a window).
  LRESULT perform(UINT msg, WPARAM w = 0, LPARAM l = 0);
  virtual void invalidate();
  void update();
  void repaint() { invalidate(); update(); }
  // Moves the control to the front / back of its parent's children (z order, alignment order).
  void bringToFront();
  void sendToBack();
  POINT clientToScreen(POINT p) const;
  POINT screenToClient(POINT p) const;

  // Scales the position, size and (own) font by m / d (pixel density).
  virtual void changeScale(int m, int d);

  NotifyEvent onClick;
  NotifyEvent onDblClick;
  MouseEvent onMouseDown;
  MouseEvent onMouseUp;
  MouseMoveEvent onMouseMove;
  NotifyEvent onResize;

 protected:
  virtual void click();  // raises onClick
  virtual void boundsChanged() {}
  virtual void textChanged() {}
  virtual void colorChanged();
  virtual void fontChanged();
  void setBoundsFields(int l, int t, int w, int h);

  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  WinControl* parent_ = nullptr;
  Align align_ = Align::None;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  std::unique_ptr<Font> font_;
  bool parentFont_ = true;
  bool parentColor_ = false;
  int cursor_ = crDefault;
  std::string caption_;
  std::string hint_;

  friend class WinControl;
};

// Runs an event handler; an error escaping it goes to application().handleException().
template <class F>
void dispatchEvent(F&& f);

}  // namespace ui

#include "ui/dispatch.h"

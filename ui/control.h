// Controls and windowed controls.
//
// Control keeps the bounds, alignment, colour, font, cursor and the mouse events;
// WinControl adds the window: made on demand by handle(), with children, focus, Ctl3D
// and BorderStyle. Every framework window runs one window procedure that finds its
// control and calls wndProc(); a procedure that others put in front of it with
// SetWindowLong(GWL_WNDPROC) keeps working, because the framework sends its own
// messages (CM_*) with SendMessageW to the window's current procedure. Such a
// procedure is lost when the framework makes the window again (recreateWnd); one
// attached as a WindowSubclass (ui/window_subclass.h) is put in front of every new one.
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

// Creation parameters of a control's window, adjusted by createParams().
struct CreateParams {
  std::wstring className;        // the window class (our own, or a system class to subclass)
  std::wstring caption;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;
  HMENU menu = nullptr;
  UINT classStyle = CS_DBLCLKS;  // for our own classes
  bool systemClass = false;      // className names a system class (e.g. WC_TREEVIEW)
};

class WinControl : public Control {
 public:
  explicit WinControl(Component* owner);
  ~WinControl() override;
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }

  // The window, made on demand (with the parent's window first).
  HWND handle();
  bool handleAllocated() const { return hwnd_ != nullptr; }
  // Destroys and makes the window again (style changes such as Ctl3D, BorderStyle).
  // Procedures attached as WindowSubclass are put in front of the new window.
  void recreateWnd();
  // True while this control's window, or a parent's, is being destroyed so that a new
  // one can be made.
  bool recreating() const;
  void destroyHandle();
  // The control of a framework window (null for other windows).
  static WinControl* fromHandle(HWND wnd);

  const std::vector<Control*>& controls() const { return controls_; }
  int controlCount() const { return static_cast<int>(controls_.size()); }
  Control* control(int i) const { return controls_.at(static_cast<size_t>(i)); }
  bool containsControl(const Control* c) const;  // c is this or lies inside it

  bool ctl3D() const { return ctl3D_; }
  void setCtl3D(bool v);
  bool parentCtl3D() const { return parentCtl3D_; }
  void setParentCtl3D(bool v);
  BorderStyle borderStyle() const { return borderStyle_; }
  void setBorderStyle(BorderStyle b);
  bool tabStop() const { return tabStop_; }
  void setTabStop(bool v) { tabStop_ = v; }
  int tabOrder() const { return tabOrder_; }
  void setTabOrder(int v) { tabOrder_ = v; }

  // Sends a message to this control's window and those of all windowed controls inside it.
  void broadcast(UINT msg, WPARAM w, LPARAM l);

  bool focused() const;
  bool canFocus() const;
  virtual void setFocus();

  // Lays out the aligned children (top, bottom, left, right, then client; each group
  // in the order of its current position, ties in child order).
  void realign();
  void disableAlign() { ++alignDisabled_; }
  void enableAlign();
  // The area aligned children share (the client area less borders such as bevels).
  virtual RECT alignRect();

  void setBounds(int l, int t, int w, int h) override;
  RECT clientRect() const override;
  void setVisible(bool v) override;
  void setEnabled(bool v) override;
  void invalidate() override;
  void changeScale(int m, int d) override;
  void loaded() override;

  // Message handling: the framework's window procedure calls this; defaultHandler()
  // runs the system's handling (DefWindowProcW or the subclassed system class).
  virtual LRESULT wndProc(UINT msg, WPARAM w, LPARAM l);
  LRESULT defaultHandler(UINT msg, WPARAM w, LPARAM l);
  // The window procedure every framework window is made with.
  static LRESULT CALLBACK initialWndProc(HWND wnd, UINT msg, WPARAM w, LPARAM l);

  KeyEvent onKeyDown;
  KeyEvent onKeyUp;
  NotifyEvent onEnter;
  NotifyEvent onExit;

 protected:
  virtual void createParams(CreateParams& params);
  void fontChanged() override;
  void colorChanged() override;
  void textChanged() override;
  virtual void createWnd();
  virtual void createWindowHandle(const CreateParams& params);
  // After the window exists: set its font, state and make the children's windows.
  virtual void initializeWindow();
  virtual void destroyWnd();
  // Paints the client area (WM_PAINT) with a canvas over the paint DC.
  virtual void paint(Canvas& canvas);
  virtual bool ownPaint() const { return false; }  // true: WM_PAINT goes to paint()
  virtual void alignControls(RECT& rect);
  void insertControl(Control* c);
  void removeControl(Control* c);
  void applyWindowFont();
  void mouseTrack();

  HWND hwnd_ = nullptr;
  WNDPROC defWndProc_ = nullptr;  // the system class procedure for subclassed controls
  std::vector<Control*> controls_;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  BorderStyle borderStyle_ = BorderStyle::None;
  bool tabStop_ = false;
  int tabOrder_ = -1;
  int alignDisabled_ = 0;
  bool alignPending_ = false;
  bool mouseInside_ = false;
  bool aligning_ = false;
  HFONT hfont_ = nullptr;
  bool recreating_ = false;
  bool clickDown_ = false;
  std::vector<WindowSubclass*> subclasses_;  // in order of attachment
  Control* alignPriority_ = nullptr;  // the child whose change asked for alignment goes first  // a left press that a release inside turns into a click

  friend class Control;
  friend class WindowSubclass;
};

// Runs an event handler; an error escaping it goes to application().handleException().
template <class F>
void dispatchEvent(F&& f);

}  // namespace ui

#include "ui/dispatch.h"

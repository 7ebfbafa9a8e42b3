// A windowed control: the window is made on demand by handle(), with children, focus,
// Ctl3D and BorderStyle. Every framework window runs one window procedure that finds
// its control and calls wndProc(); a procedure that others put in front of it with
// SetWindowLong(GWL_WNDPROC) keeps working, because the framework sends its own
// messages (CM_*) with SendMessageW to the window's current procedure. Such a
// procedure is lost when the framework makes the window again (recreateWnd); one
// attached as a WindowSubclass (ui/window_subclass.h) is put in front of every new one.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

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

 private:
  // The framework's handling of single messages (wndProc dispatches to them).
  bool eraseBackground(HDC dc);
  bool paintWindow();
  void sized();
  void positionChanged(const WINDOWPOS& pos);
  bool setCursorFor(WPARAM w, LPARAM l);
  void mouseMoved(WPARAM w, LPARAM l);
  void mouseLeft();
  void mousePressed(UINT msg, WPARAM w, LPARAM l);
  void mouseReleased(UINT msg, WPARAM w, LPARAM l);
  void focusGained();
  void focusLost();
  WORD keyEvent(UINT msg, WPARAM w);
  WinControl* notifyingChild(UINT msg, LPARAM l) const;

 protected:

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
  bool clickDown_ = false;  // a left press that a release inside turns into a click
  std::vector<WindowSubclass*> subclasses_;  // in order of attachment
  Control* alignPriority_ = nullptr;  // the child whose change asked for alignment goes first

  friend class Control;
  friend class WindowSubclass;
};

}  // namespace ui

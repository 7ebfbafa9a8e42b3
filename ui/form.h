// Forms: top-level windows made from a form description.
//
// A form class registers its handlers by name (bind) and then reads its description
// (readDescription / loadDescription); the description's root block names the form's
// own properties, its nested blocks make the components. After reading, a form made on a
// screen of another density than its stored PixelsPerInch is scaled (its font by the
// density ratio, its contents by the font's new text height over the stored TextHeight),
// every component's loaded() runs, then onCreate. Its window is made on demand (handle()) or by show().
#pragma once
#include <any>
#include <functional>
#include <map>
#include <string>

#include "ui/win_control.h"

namespace ui {

class MainMenu;
class MenuItem;

enum class FormBorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum BorderIcon : int { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum class FormStyle { Normal, MDIChild, MDIForm, StayOnTop };
enum class Position { Designed, Default, DefaultPosOnly, DefaultSizeOnly, ScreenCenter, DesktopCenter };
enum class WindowState { Normal, Minimized, Maximized };
enum class CloseAction { None, Hide, Free, Minimize };

// HorzScrollBar / VertScrollBar settings (only Visible matters to this program).
class ScrollBarSettings : public Persistent {
 public:
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }
  bool visible() const { return visible_; }
  void setVisible(bool v);
  std::function<void()> onChange;

 private:
  bool visible_ = true;
};

// Handlers registered by name for the form description's event properties.
class HandlerTable {
 public:
  template <class Sig>
  void add(const std::string& name, std::function<Sig> fn) {
    table_[name] = std::any(std::move(fn));
  }
  const std::any* find(const std::string& name) const;

 private:
  std::map<std::string, std::any> table_;
};

using CloseEvent = Event<void(Component* sender, CloseAction& action)>;

class Form : public WinControl {
 public:
  explicit Form(Component* owner);
  ~Form() override;
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }

  // Handlers for the description: bind("FormShow", &TfrmMain::FormShow) on a member of
  // a derived form, or handlers().add<Sig>(name, fn) for any callable.
  HandlerTable& handlers() { return handlers_; }
  template <class F, class R, class... A>
  void bind(const std::string& name, R (F::*method)(A...)) {
    F* self = static_cast<F*>(this);
    handlers_.add<R(A...)>(name, std::function<R(A...)>([self, method](A... a) -> R {
                             return (self->*method)(std::forward<A>(a)...);
                           }));
  }
  // Reads a description from text (UTF-8) / from the program's RCDATA resource of
  // that name. Throws ui::Error naming the line for a malformed description.
  void readDescription(const std::string& text);
  void loadDescription(const std::string& resourceName);

  FormBorderStyle formBorderStyle() const { return formBorderStyle_; }
  void setFormBorderStyle(FormBorderStyle s);
  int borderIcons() const { return borderIcons_; }  // BorderIcon bits
  void setBorderIcons(int icons);
  FormStyle formStyle() const { return formStyle_; }
  void setFormStyle(FormStyle s) { formStyle_ = s; }
  Position position() const { return position_; }
  void setPosition(Position p) { position_ = p; }
  WindowState windowState() const { return windowState_; }
  void setWindowState(WindowState s);
  // The form's own icon (empty: the application's icon is shown).
  Icon& icon() { return icon_; }
  MainMenu* menu() const { return menu_; }
  void setMenu(MainMenu* m);
  ScrollBarSettings& horzScrollBar() { return horzScrollBar_; }
  ScrollBarSettings& vertScrollBar() { return vertScrollBar_; }
  int pixelsPerInch() const { return pixelsPerInch_; }
  void setPixelsPerInch(int v) { pixelsPerInch_ = v; }
  int textHeight() const { return textHeight_; }
  void setTextHeight(int v) { textHeight_ = v; }
  bool oldCreateOrder() const { return oldCreateOrder_; }
  void setOldCreateOrder(bool v) { oldCreateOrder_ = v; }
  // ClientWidth / ClientHeight: the client area size (sets the window size to fit).
  void setClientWidth(int w);
  void setClientHeight(int h);
  int storedClientWidth() const { return clientWidth(); }
  int storedClientHeight() const { return clientHeight(); }

  // Shows the form (onShow runs first, once per hide/show) and brings it to the front.
  void show();
  void hide() { setVisible(false); }
  void setVisible(bool v) override;
  // Asks the form to close (onClose decides); closing the main form ends the program.
  void close();
  bool active() const;
  // A canvas over the client area (its device context is taken on first use and
  // released when the window goes).
  Canvas& canvas();

  // Pixel density: the screen's pixels per inch and the text height of a font on the
  // screen. Replaceable so tests can stand for a screen of another density.
  static std::function<int()> screenPixelsPerInch;
  static std::function<int(const Font&)> measureTextHeight;

  NotifyEvent onCreate;
  NotifyEvent onShow;
  NotifyEvent onHide;
  NotifyEvent onDestroy;
  NotifyEvent onActivate;
  NotifyEvent onDeactivate;
  CloseEvent onClose;

  LRESULT wndProc(UINT msg, WPARAM w, LPARAM l) override;
  RECT clientRect() const override;
  void loaded() override;
  void notification(Component* c, Operation op) override;

 protected:
  void createParams(CreateParams& params) override;
  void initializeWindow() override;
  void destroyWnd() override;
  // Scales the form for the screen after reading (see the class comment).
  void scaleForScreen();
  // Scales the client area and every component by m / d.
  void scaleContents(int m, int d);
  bool dispatchMenuMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result);
  void updateScrollBars();
  void setIconResource(const std::string& name);
  void applyIcon();

 private:
  HandlerTable handlers_;
  FormBorderStyle formBorderStyle_ = FormBorderStyle::Sizeable;
  int borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  FormStyle formStyle_ = FormStyle::Normal;
  Position position_ = Position::Designed;
  WindowState windowState_ = WindowState::Normal;
  MainMenu* menu_ = nullptr;
  ScrollBarSettings horzScrollBar_, vertScrollBar_;
  int pixelsPerInch_ = 96;
  int textHeight_ = 0;
  bool oldCreateOrder_ = false;
  bool shown_ = false;
  bool destroyEventDone_ = false;
  std::unique_ptr<WindowCanvas> canvas_;
  Icon icon_;
  std::string iconResource_;
};

}  // namespace ui

// The application object (message loop, hooks, error box) and the screen object.
//
// run() is the message loop: each message taken from the queue is first offered to
// the OnMessage hooks (Application::onMessage, then every ApplicationEvents component);
// a hook that sets handled drops it; F10 and Alt then reach the menu bar from any
// control (MenuKeys). The application has a hidden main window of its
// own (handle()) whose messages pass the hooks given to hookMainWindow first.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/menu_keys.h"

namespace ui {

class Form;
class ApplicationEvents;

using MessageEvent = Event<void(MSG& msg, bool& handled)>;
// A main-window hook: returns true when it handled the message (result set).
using WindowHook = std::function<bool(UINT msg, WPARAM w, LPARAM l, LRESULT& result)>;
// Shows an error (GBK text, GBK title); the default is MessageBoxW with MB_ICONERROR.
using ErrorReporter = std::function<void(const std::string& text, const std::string& title)>;

class Application : public Component {
 public:
  Application();
  ~Application() override;

  // The hidden main window (made on first use).
  HWND handle();
  // Hooks on the hidden main window; returns an id for unhookMainWindow.
  int hookMainWindow(WindowHook hook);
  void unhookMainWindow(int id);
  size_t mainWindowHookCount() const { return hooks_.size(); }

  const std::string& title() const { return title_; }  // GBK
  void setTitle(const std::string& gbk);
  HICON icon() const { return icon_; }
  void setIcon(HICON icon) { icon_ = icon; }

  Form* mainForm() const { return mainForm_; }
  void setMainForm(Form* f) { mainForm_ = f; }

  // Makes the forms (makeForms), shows the main form and serves the message loop
  // until the main form closes. An error while the forms are made or the main form
  // is first shown is reported and ends the program (result 1). Frees the forms the
  // application owns before returning.
  int start(const std::function<void()>& makeForms);
  // The message loop alone (shows the main form when it is hidden).
  void run();
  // Serves the waiting messages and returns (for tests and long work).
  void processMessages();
  // Takes, hooks and dispatches one message; false when the queue was empty.
  bool handleMessage(bool wait = false);
  void terminate();
  bool terminated() const { return terminated_; }
  void resetTerminated() { terminated_ = false; }

  // The standard error box for an error that escaped an event handler.
  void handleException(std::exception_ptr e);
  void showException(const std::string& gbkText);
  void setErrorReporter(ErrorReporter reporter);

  MessageEvent onMessage;

  // Registration of ApplicationEvents components (done by their constructor).
  void addEvents(ApplicationEvents* e);
  void removeEvents(ApplicationEvents* e);

 private:
  static LRESULT CALLBACK mainWndProc(HWND wnd, UINT msg, WPARAM w, LPARAM l);
  bool offerToHooks(MSG& msg);
  HWND wnd_ = nullptr;
  std::vector<std::pair<int, WindowHook>> hooks_;
  int nextHookId_ = 1;
  std::string title_;
  HICON icon_ = nullptr;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
  ErrorReporter reporter_;
  std::vector<ApplicationEvents*> events_;
  MenuKeys menuKeys_;
};

Application& application();

// A component that hooks the application's message loop (OnMessage) for a form.
class ApplicationEvents : public Component {
 public:
  explicit ApplicationEvents(Component* owner);
  ~ApplicationEvents() override;
  static const ClassInfo& staticClassInfo();
  const ClassInfo& classInfo() const override { return staticClassInfo(); }
  MessageEvent onMessage;
};

class Screen {
 public:
  int width() const;   // primary screen, pixels (SM_CXSCREEN)
  int height() const;  // SM_CYSCREEN
  int pixelsPerInch() const;
  RECT workArea() const;
  // The application's forms, in the order they were made.
  const std::vector<Form*>& forms() const { return forms_; }
  int formCount() const { return static_cast<int>(forms_.size()); }
  Form* form(int i) const { return forms_.at(static_cast<size_t>(i)); }
  Form* activeForm() const;
  // The system's menu font (a fresh copy of its attributes).
  LOGFONTW menuFont() const;

  void addForm(Form* f);
  void removeForm(Form* f);

 private:
  std::vector<Form*> forms_;
};

Screen& screen();

}  // namespace ui

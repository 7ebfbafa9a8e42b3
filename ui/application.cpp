#include "ui/application.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/form.h"
#include "ui/text.h"

namespace ui {

namespace {
const wchar_t kAppClass[] = L"UiApplication";

std::string moduleTitle() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  size_t slash = p.find_last_of(L"\\/");
  if (slash != std::wstring::npos) p = p.substr(slash + 1);
  size_t dot = p.find_last_of(L'.');
  if (dot != std::wstring::npos) p = p.substr(0, dot);
  return narrow(p);
}
}  // namespace

Application& application() {
  static Application* app = new Application;  // lives until the process ends
  return *app;
}

Screen& screen() {
  static Screen* s = new Screen;
  return *s;
}

Application::Application() : Component(nullptr), title_(moduleTitle()) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
}

Application::~Application() {
  if (wnd_) DestroyWindow(wnd_);
}

HWND Application::handle() {
  if (!wnd_) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), kAppClass, &wc)) {
      wc = WNDCLASSEXW{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = &Application::mainWndProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = kAppClass;
      RegisterClassExW(&wc);
    }
    wnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kAppClass, widen(title_).c_str(),
                           WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  return wnd_;
}

LRESULT CALLBACK Application::mainWndProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  Application& app = application();
  // The hooks may add or remove hooks while they run: iterate over a copy.
  auto hooks = app.hooks_;
  for (auto& [id, hook] : hooks) {
    LRESULT result = 0;
    bool handled = false;
    try {
      handled = hook(msg, w, l, result);
    } catch (...) {
      app.handleException(std::current_exception());
    }
    if (handled) return result;
  }
  return DefWindowProcW(wnd, msg, w, l);
}

int Application::hookMainWindow(WindowHook hook) {
  int id = nextHookId_++;
  hooks_.emplace_back(id, std::move(hook));
  return id;
}

void Application::unhookMainWindow(int id) {
  hooks_.erase(std::remove_if(hooks_.begin(), hooks_.end(), [id](const auto& h) { return h.first == id; }),
               hooks_.end());
}

void Application::setTitle(const std::string& gbk) {
  title_ = gbk;
  if (wnd_) SetWindowTextW(wnd_, widen(gbk).c_str());
}

void Application::addEvents(ApplicationEvents* e) { events_.push_back(e); }
void Application::removeEvents(ApplicationEvents* e) {
  events_.erase(std::remove(events_.begin(), events_.end(), e), events_.end());
}

bool Application::offerToHooks(MSG& msg) {
  bool handled = false;
  dispatchEvent([&] { onMessage(msg, handled); });
  auto list = events_;
  for (ApplicationEvents* e : list) {
    if (handled) break;
    if (std::find(events_.begin(), events_.end(), e) == events_.end()) continue;
    dispatchEvent([&] { e->onMessage(msg, handled); });
  }
  return handled;
}

bool Application::handleMessage(bool wait) {
  MSG msg;
  if (wait) {
    BOOL r = GetMessageW(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) {
      terminated_ = true;
      return false;
    }
  } else {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      return true;
    }
  }
  if (!offerToHooks(msg) && !menuKeys_.route(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void Application::processMessages() {
  for (int i = 0; i < 100000 && handleMessage(false);) ++i;  // bounded: never spins forever
}

void Application::run() {
  handle();
  if (mainForm_ && !mainForm_->visible()) mainForm_->show();
  while (!terminated_) handleMessage(true);
}

void Application::terminate() {
  if (!terminated_) PostQuitMessage(0);
}

int Application::start(const std::function<void()>& makeForms) {
  int result = 0;
  try {
    handle();
    makeForms();
    if (mainForm_) mainForm_->show();
  } catch (...) {
    handleException(std::current_exception());
    result = 1;
  }
  if (result == 0) {
    while (!terminated_) handleMessage(true);
  }
  // The forms and components the application owns go before the program ends.
  while (componentCount() > 0) {
    Component* c = component(componentCount() - 1);
    removeComponent(c);
    try {
      delete c;
    } catch (...) {
    }
  }
  return result;
}

void Application::setErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }

void Application::showException(const std::string& gbkText) {
  if (reporter_) {
    reporter_(gbkText, title_);
    return;
  }
  HWND owner = mainForm_ && mainForm_->handleAllocated() ? mainForm_->handle() : nullptr;
  MessageBoxW(owner, widen(gbkText).c_str(), widen(title_).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void Application::handleException(std::exception_ptr e) {
  std::string text;
  try {
    if (e) std::rethrow_exception(e);
    return;
  } catch (const std::exception& ex) {
    text = ex.what();
  } catch (...) {
    text = "Unknown error";
  }
  try {
    showException(text);
  } catch (...) {
  }
}

// ----- ApplicationEvents -----

const ClassInfo& ApplicationEvents::staticClassInfo() {
  static const ClassInfo info = ClassInfo("TApplicationEvents", &Component::staticClassInfo(),
                                          makeComponent<ApplicationEvents>)
                                    .prop(prop::event("OnMessage", &ApplicationEvents::onMessage));
  return info;
}

ApplicationEvents::ApplicationEvents(Component* owner) : Component(owner) { application().addEvents(this); }
ApplicationEvents::~ApplicationEvents() { application().removeEvents(this); }

// ----- Screen -----

int Screen::width() const { return GetSystemMetrics(SM_CXSCREEN); }
int Screen::height() const { return GetSystemMetrics(SM_CYSCREEN); }
int Screen::pixelsPerInch() const {
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi > 0 ? ppi : 96;
}
RECT Screen::workArea() const {
  RECT r{0, 0, width(), height()};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}
Form* Screen::activeForm() const {
  HWND a = GetActiveWindow();
  for (Form* f : forms_)
    if (f->handleAllocated() && f->handle() == a) return f;
  return nullptr;
}
LOGFONTW Screen::menuFont() const {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0)) {
    m.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, m.cbSize, &m, 0);
  }
  return m.lfMenuFont;
}
void Screen::addForm(Form* f) { forms_.push_back(f); }
void Screen::removeForm(Form* f) { forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end()); }

}  // namespace ui

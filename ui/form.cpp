#include "ui/form.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/main_menu.h"
#include "ui/stream.h"
#include "ui/text.h"

namespace ui {

namespace {

const std::vector<std::string> kFormBorderStyles = {"bsNone",       "bsSingle",    "bsSizeable",
                                                "bsDialog",     "bsToolWindow", "bsSizeToolWin"};
const std::vector<std::string> kBorderIcons = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
const std::vector<std::string> kFormStyles = {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"};
const std::vector<std::string> kPositions = {"poDesigned",        "poDefault",       "poDefaultPosOnly",
                                             "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter"};
const std::vector<std::string> kWindowStates = {"wsNormal", "wsMinimized", "wsMaximized"};

int defaultPixelsPerInch() { return screen().pixelsPerInch(); }

int defaultTextHeight(const Font& font) {
  HDC dc = GetDC(nullptr);
  HFONT f = font.createHandle();
  HGDIOBJ old = SelectObject(dc, f);
  SIZE s{0, 0};
  GetTextExtentPoint32W(dc, L"0", 1, &s);
  SelectObject(dc, old);
  DeleteObject(f);
  ReleaseDC(nullptr, dc);
  return s.cy;
}

// ClientWidth / ClientHeight are read (they size the window) but not written: the
// window's Width and Height already say it.
PropInfo clientSize(const char* name, int (Form::*get)() const, void (Form::*set)(int)) {
  PropInfo p = prop::integer<Form, int>(name, 0, get, set);
  p.stored = [](Persistent&) { return false; };
  return p;
}

}  // namespace

std::function<int()> Form::screenPixelsPerInch = defaultPixelsPerInch;
std::function<int(const Font&)> Form::measureTextHeight = defaultTextHeight;

const ClassInfo& ScrollBarSettings::staticClassInfo() {
  static const ClassInfo info = ClassInfo("TControlScrollBar", &Persistent::staticClassInfo())
                                    .prop(prop::boolean<ScrollBarSettings>("Visible", true, &ScrollBarSettings::visible,
                                                                           &ScrollBarSettings::setVisible));
  return info;
}

void ScrollBarSettings::setVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  if (onChange) onChange();
}

const std::any* HandlerTable::find(const std::string& name) const {
  auto it = table_.find(name);
  return it == table_.end() ? nullptr : &it->second;
}

const ClassInfo& Form::staticClassInfo() {
  static const ClassInfo info = [] {
    ClassInfo c("TForm", &WinControl::staticClassInfo(), makeComponent<Form>);
    c.prop(prop::enumeration<Form, FormBorderStyle>("BorderStyle", kFormBorderStyles, FormBorderStyle::Sizeable,
                                                    &Form::formBorderStyle, &Form::setFormBorderStyle))
        .prop(prop::set<Form, int>("BorderIcons", kBorderIcons, biSystemMenu | biMinimize | biMaximize,
                                   &Form::borderIcons, &Form::setBorderIcons))
        .prop(clientSize("ClientHeight", &Form::storedClientHeight, &Form::setClientHeight))
        .prop(clientSize("ClientWidth", &Form::storedClientWidth, &Form::setClientWidth))
        .prop(prop::enumeration<Form, FormStyle>("FormStyle", kFormStyles, FormStyle::Normal, &Form::formStyle,
                                                 &Form::setFormStyle))
        .prop(prop::object<Form, ScrollBarSettings>("HorzScrollBar", &Form::horzScrollBar))
        .prop(prop::resource<Form>(
            "Icon", [](Form& f) { return f.iconResource_; },
            [](Form& f, const std::string& name) { f.setIconResource(name); }))
        .prop(prop::object<Form, ScrollBarSettings>("VertScrollBar", &Form::vertScrollBar))
        .prop(prop::ref<Form, MainMenu>("Menu", &Form::menu, &Form::setMenu))
        .prop(prop::boolean<Form>("OldCreateOrder", false, &Form::oldCreateOrder, &Form::setOldCreateOrder))
        .prop(prop::enumeration<Form, Position>("Position", kPositions, Position::Designed, &Form::position,
                                                &Form::setPosition))
        .prop(prop::enumeration<Form, WindowState>("WindowState", kWindowStates, WindowState::Normal,
                                                   &Form::windowState, &Form::setWindowState))
        .prop(prop::integer<Form, int>("PixelsPerInch", 96, &Form::pixelsPerInch, &Form::setPixelsPerInch))
        .prop(prop::integer<Form, int>("TextHeight", 0, &Form::textHeight, &Form::setTextHeight))
        .prop(prop::event("OnActivate", &Form::onActivate))
        .prop(prop::event("OnClose", &Form::onClose))
        .prop(prop::event("OnCreate", &Form::onCreate))
        .prop(prop::event("OnDeactivate", &Form::onDeactivate))
        .prop(prop::event("OnDestroy", &Form::onDestroy))
        .prop(prop::event("OnHide", &Form::onHide))
        .prop(prop::event("OnShow", &Form::onShow));
    // Forms are hidden until shown; "Visible" is not stored for them.
    PropInfo vis = prop::boolean<Form>("Visible", false, &Form::visible, &Form::setVisible);
    c.prop(vis);
    return c;
  }();
  return info;
}

Form::Form(Component* owner) : WinControl(owner) {
  visible_ = false;
  left_ = 0;
  top_ = 0;
  width_ = 320;
  height_ = 240;
  borderStyle_ = BorderStyle::None;
  screen().addForm(this);
  if (!application().mainForm()) application().setMainForm(this);
  horzScrollBar_.onChange = [this] { updateScrollBars(); };
  vertScrollBar_.onChange = [this] { updateScrollBars(); };
}

Form::~Form() {
  if (!destroyEventDone_) {
    destroyEventDone_ = true;
    Form* self = this;
    dispatchEvent([self] { self->onDestroy(self); });
  }
  if (menu_) menu_->form_ = nullptr;
  destroyHandle();
  screen().removeForm(this);
  if (application().mainForm() == this) application().setMainForm(nullptr);
}

void Form::readDescription(const std::string& text) {
  readComponent(*this, text, &handlers_, [this] { scaleForScreen(); });
  Form* self = this;
  onCreate(self);  // errors here end the making of the form (the caller reports them)
}

void Form::loadDescription(const std::string& resourceName) { readDescription(resourceText(resourceName)); }

void Form::loaded() { WinControl::loaded(); }

void Form::notification(Component* c, Operation op) {
  WinControl::notification(c, op);
  if (op == Operation::Remove && c == menu_) {
    menu_ = nullptr;
    if (hwnd_) SetMenu(hwnd_, nullptr);
  }
}

void Form::scaleForScreen() {
  if (pixelsPerInch_ <= 0 || textHeight_ <= 0) return;
  int ppi = screenPixelsPerInch ? screenPixelsPerInch() : pixelsPerInch_;
  // At the density the form was laid out for, its stored sizes stand, whatever the
  // machine's fonts measure: only another density scales.
  if (ppi == pixelsPerInch_) return;
  auto keep = std::move(font_->onChange);
  font_->setHeight(MulDiv(font_->height(), ppi, pixelsPerInch_));
  font_->onChange = std::move(keep);
  pixelsPerInch_ = ppi;
  fontChanged();
  int th = measureTextHeight ? measureTextHeight(*font_) : textHeight_;
  if (th <= 0 || th == textHeight_) return;
  scaleContents(th, textHeight_);
  textHeight_ = th;
}

void Form::scaleContents(int m, int d) {
  // The form keeps its place; its client area and every component scale.
  int cw = MulDiv(clientWidth(), m, d), ch = MulDiv(clientHeight(), m, d);
  disableAlign();
  for (Control* c : std::vector<Control*>(controls_)) c->changeScale(m, d);
  setClientWidth(cw);
  setClientHeight(ch);
  enableAlign();
}

// ----- window -----

void Form::createParams(CreateParams& p) {
  WinControl::createParams(p);
  p.className = L"UiForm";
  p.style = WS_CLIPCHILDREN;
  p.exStyle = 0;
  p.parent = nullptr;
  switch (formBorderStyle_) {
    case FormBorderStyle::None: p.style |= WS_POPUP; break;
    case FormBorderStyle::Single: p.style |= WS_CAPTION | WS_BORDER; break;
    case FormBorderStyle::Sizeable: p.style |= WS_CAPTION | WS_THICKFRAME; break;
    case FormBorderStyle::Dialog:
      p.style |= WS_CAPTION | WS_POPUP;
      p.exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case FormBorderStyle::ToolWindow:
      p.style |= WS_CAPTION | WS_BORDER;
      p.exStyle |= WS_EX_TOOLWINDOW;
      break;
    case FormBorderStyle::SizeToolWin:
      p.style |= WS_CAPTION | WS_THICKFRAME;
      p.exStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (formBorderStyle_ != FormBorderStyle::None) {
    if (borderIcons_ & biSystemMenu) {
      p.style |= WS_SYSMENU;
      if (borderIcons_ & biMinimize) p.style |= WS_MINIMIZEBOX;
      if (borderIcons_ & biMaximize) p.style |= WS_MAXIMIZEBOX;
    }
  }
  if (formStyle_ == FormStyle::StayOnTop) p.exStyle |= WS_EX_TOPMOST;
  if (menu_) p.menu = menu_->handle();
  p.classStyle = CS_DBLCLKS;
}

void Form::setIconResource(const std::string& name) {
  if (name.empty())
    icon_.assignHandle(nullptr);
  else
    icon_.loadFromResource(name);
  iconResource_ = name;
  if (hwnd_) applyIcon();
}

void Form::applyIcon() {
  HICON icon = icon_.empty() ? application().icon() : icon_.handle();
  if (!icon) return;
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Form::initializeWindow() {
  applyIcon();
  updateScrollBars();
  WinControl::initializeWindow();
}

Canvas& Form::canvas() {
  if (!canvas_) canvas_ = std::make_unique<WindowCanvas>(handle());
  return *canvas_;
}

void Form::destroyWnd() {
  canvas_.reset();
  if (hwnd_ && menu_) SetMenu(hwnd_, nullptr);  // the menu belongs to the MainMenu
  WinControl::destroyWnd();
}

void Form::updateScrollBars() {
  if (!hwnd_) return;
  ShowScrollBar(hwnd_, SB_HORZ, FALSE);
  ShowScrollBar(hwnd_, SB_VERT, FALSE);
}

RECT Form::clientRect() const {
  if (hwnd_) {
    RECT r;
    GetClientRect(hwnd_, &r);
    return r;
  }
  // Before the window exists: the bounds less the frame of the window to be made.
  CreateParams p;
  const_cast<Form*>(this)->createParams(p);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, p.style, menu_ != nullptr, p.exStyle);
  int fw = static_cast<int>(frame.right - frame.left), fh = static_cast<int>(frame.bottom - frame.top);
  return RECT{0, 0, std::max(0, width_ - fw), std::max(0, height_ - fh)};
}

void Form::setClientWidth(int w) {
  RECT r = clientRect();
  setBounds(left_, top_, width_ + (w - (r.right - r.left)), height_);
}

void Form::setClientHeight(int h) {
  RECT r = clientRect();
  setBounds(left_, top_, width_, height_ + (h - (r.bottom - r.top)));
}

void Form::setFormBorderStyle(FormBorderStyle s) {
  if (s == formBorderStyle_) return;
  formBorderStyle_ = s;
  recreateWnd();
}

void Form::setBorderIcons(int icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  if (!hwnd_) return;
  CreateParams p;
  createParams(p);
  LONG st = GetWindowLongW(hwnd_, GWL_STYLE);
  st = (st & ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) |
       (p.style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  SetWindowLongW(hwnd_, GWL_STYLE, st);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Form::setWindowState(WindowState s) {
  windowState_ = s;
  if (hwnd_ && visible_)
    ShowWindow(hwnd_, s == WindowState::Maximized ? SW_MAXIMIZE : s == WindowState::Minimized ? SW_MINIMIZE : SW_RESTORE);
}

void Form::setMenu(MainMenu* m) {
  if (m == menu_) return;
  if (menu_) menu_->form_ = nullptr;
  menu_ = m;
  if (m) {
    m->form_ = this;
    m->freeNotification(this);
  }
  if (hwnd_) {
    SetMenu(hwnd_, m ? m->handle() : nullptr);
    DrawMenuBar(hwnd_);
  }
}

void Form::show() { setVisible(true); BringWindowToTop(handle()); }

void Form::setVisible(bool v) {
  if (v == visible_ && (!v || (hwnd_ && IsWindowVisible(hwnd_)))) return;
  if (loading()) {
    visible_ = v;
    return;
  }
  Form* self = this;
  if (v) {
    handle();
    // onShow runs before the window appears; an error in it reaches the caller.
    onShow(self);
    visible_ = true;
    if (position_ == Position::ScreenCenter || position_ == Position::DesktopCenter) {
      setBounds((screen().width() - width_) / 2, (screen().height() - height_) / 2, width_, height_);
    }
    ShowWindow(hwnd_, windowState_ == WindowState::Maximized   ? SW_SHOWMAXIMIZED
                      : windowState_ == WindowState::Minimized ? SW_SHOWMINIMIZED
                                                                : SW_SHOW);
    UpdateWindow(hwnd_);
  } else {
    visible_ = false;
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    dispatchEvent([self] { self->onHide(self); });
  }
}

void Form::close() {
  CloseAction action = application().mainForm() == this ? CloseAction::Free : CloseAction::Hide;
  Form* self = this;
  onClose(self, action);
  if (action == CloseAction::None) return;
  if (application().mainForm() == this) {
    hide();
    application().terminate();
    return;
  }
  if (action == CloseAction::Minimize) {
    ShowWindow(handle(), SW_MINIMIZE);
  } else {
    hide();
  }
}

bool Form::active() const { return hwnd_ && GetActiveWindow() == hwnd_; }

LRESULT Form::wndProc(UINT msg, WPARAM w, LPARAM l) {
  LRESULT result = 0;
  if (dispatchMenuMessage(msg, w, l, result)) return result;
  switch (msg) {
    case WM_CLOSE:
      dispatchEvent([this] { close(); });
      return 0;
    case WM_ACTIVATE: {
      Form* self = this;
      if (LOWORD(w) == WA_INACTIVE)
        dispatchEvent([self] { self->onDeactivate(self); });
      else
        dispatchEvent([self] { self->onActivate(self); });
      break;
    }
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(l);
      if (!(wp->flags & SWP_NOSIZE) || !(wp->flags & SWP_NOMOVE)) {
        if (!IsIconic(hwnd_) && !IsZoomed(hwnd_)) {
          RECT r;
          GetWindowRect(hwnd_, &r);
          setBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
      }
      return defaultHandler(msg, w, l);
    }
    default: break;
  }
  return WinControl::wndProc(msg, w, l);
}

bool Form::dispatchMenuMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(w) == 0 && l == 0) {
        if (MenuItem* item = Menu::findCommand(LOWORD(w))) {
          dispatchEvent([item] { item->click(); });
          result = 0;
          return true;
        }
      }
      return false;
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      if (mis->CtlType == ODT_MENU && Menu::measureItem(*mis)) {
        result = TRUE;
        return true;
      }
      return false;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
      if (dis->CtlType == ODT_MENU && Menu::drawItem(*dis)) {
        result = TRUE;
        return true;
      }
      return false;
    }
    default: return false;
  }
}

}  // namespace ui

#include "ui/control.h"

#include <algorithm>

#include "ui/text.h"
#include "ui/win_control.h"

namespace ui {

namespace {
const std::vector<std::string> kAlignNames = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
const std::vector<std::string> kCursorNames = {
    "crDefault", "crNone", "crArrow", "crCross", "crIBeam", "crSizeNESW", "crSizeNS", "crSizeNWSE",
    "crSizeWE", "crUpArrow", "crHourGlass", "crDrag", "crNoDrop", "crHSplit", "crVSplit", "crMultiDrag",
    "crSQLWait", "crNo", "crAppStart", "crHelp", "crHandPoint", "crSizeAll"};
const std::vector<long long> kCursorValues = {0,   -1,  -2,  -3,  -4,  -6,  -7,  -8,  -9,  -10, -11,
                                              -12, -13, -14, -15, -16, -17, -18, -19, -20, -21, -22};

int getCursor(const Control& c) { return c.cursor(); }
}  // namespace

HCURSOR cursorHandle(int cursor) {
  LPCWSTR id = IDC_ARROW;
  switch (cursor) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: case crVSplit: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: case crHSplit: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: case crSQLWait: id = IDC_WAIT; break;
    case crNo: case crNoDrop: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
  }
  return LoadCursorW(nullptr, id);
}

const ClassInfo& Control::staticClassInfo() {
  static const ClassInfo info = [] {
    ClassInfo c("TControl", &Component::staticClassInfo());
    c.prop(prop::integer<Control, int>("Left", 0, &Control::left, &Control::setLeft))
        .prop(prop::integer<Control, int>("Top", 0, &Control::top, &Control::setTop))
        .prop(prop::integer<Control, int>("Width", 0, &Control::width, &Control::setWidth))
        .prop(prop::integer<Control, int>("Height", 0, &Control::height, &Control::setHeight))
        .prop(prop::enumeration<Control, Align>("Align", kAlignNames, Align::None, &Control::align,
                                                &Control::setAlign))
        .prop(prop::string<Control>("Caption", "", &Control::caption, &Control::setCaption))
        .prop(prop::color<Control, TColor>("Color", clBtnFace, &Control::color, &Control::setColor));
    PropInfo font;
    font.name = "Font";
    font.kind = PropKind::Object;
    font.hasDefault = false;
    font.object = [](Persistent& o) -> Persistent* {
      return &static_cast<Control&>(o).font();  // a font setting read turns ParentFont off
    };
    font.stored = [](Persistent& o) { return !static_cast<Control&>(o).parentFont(); };
    c.prop(font)
        .prop(prop::boolean<Control>("ParentColor", false, &Control::parentColor, &Control::setParentColor))
        .prop(prop::boolean<Control>("ParentFont", true, &Control::parentFont, &Control::setParentFont));
    PropInfo cur;
    cur.name = "Cursor";
    cur.kind = PropKind::Enum;
    cur.names = kCursorNames;
    cur.values = kCursorValues;
    cur.def = Value::integer(crDefault);
    cur.get = [](Persistent& o) { return Value::integer(getCursor(static_cast<Control&>(o))); };
    cur.set = [](Persistent& o, const Value& v) { static_cast<Control&>(o).setCursor(static_cast<int>(v.i)); };
    c.prop(cur)
        .prop(prop::boolean<Control>("Enabled", true, &Control::enabled, &Control::setEnabled))
        .prop(prop::string<Control>("Hint", "", &Control::hint, &Control::setHint))
        .prop(prop::boolean<Control>("Visible", true, &Control::visible, &Control::setVisible))
        .prop(prop::event("OnClick", &Control::onClick))
        .prop(prop::event("OnDblClick", &Control::onDblClick))
        .prop(prop::event("OnMouseDown", &Control::onMouseDown))
        .prop(prop::event("OnMouseMove", &Control::onMouseMove))
        .prop(prop::event("OnMouseUp", &Control::onMouseUp))
        .prop(prop::event("OnResize", &Control::onResize));
    return c;
  }();
  return info;
}

Control::Control(Component* owner) : Component(owner), font_(std::make_unique<Font>()) {
  font_->onChange = [this] {
    parentFont_ = false;
    fontChanged();
  };
}

Control::~Control() {
  if (parent_) parent_->removeControl(this);
  parent_ = nullptr;
}

void Control::setParent(WinControl* p) {
  if (p == parent_) return;
  if (p == this) throw Error("A control cannot be its own parent");
  if (parent_) parent_->removeControl(this);
  parent_ = nullptr;
  if (p) p->insertControl(this);
}

void Control::setParentComponent(Component* parent) {
  if (auto* w = dynamic_cast<WinControl*>(parent)) setParent(w);
}

Component* Control::parentComponent() const { return parent_; }

void Control::setBoundsFields(int l, int t, int w, int h) {
  left_ = l;
  top_ = t;
  width_ = std::max(0, w);
  height_ = std::max(0, h);
}

void Control::setBounds(int l, int t, int w, int h) {
  if (l == left_ && t == top_ && w == width_ && h == height_) return;
  setBoundsFields(l, t, w, h);
  boundsChanged();
  if (parent_ && align_ != Align::None && !parent_->aligning_) {
    parent_->alignPriority_ = this;
    parent_->realign();
  }
}

RECT Control::clientRect() const { return RECT{0, 0, width_, height_}; }
int Control::clientWidth() const {
  RECT r = clientRect();
  return r.right - r.left;
}
int Control::clientHeight() const {
  RECT r = clientRect();
  return r.bottom - r.top;
}

void Control::setAlign(Align a) {
  if (a == align_) return;
  align_ = a;
  if (parent_) parent_->realign();
}

void Control::setVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  if (parent_) parent_->realign();
}

void Control::setEnabled(bool v) { enabled_ = v; }

void Control::setColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  parentColor_ = false;
  colorChanged();
}

void Control::setParentColor(bool v) {
  parentColor_ = v;
  if (v && parent_) {
    color_ = parent_->color();
    colorChanged();
    parentColor_ = true;
  }
}

void Control::setParentFont(bool v) {
  parentFont_ = v;
  if (v && parent_) {
    auto keep = std::move(font_->onChange);
    font_->assign(parent_->font());
    font_->onChange = std::move(keep);
    fontChanged();
  }
}

void Control::colorChanged() { invalidate(); }
void Control::fontChanged() { invalidate(); }

void Control::setCaption(const std::string& gbk) {
  if (gbk == caption_) return;
  caption_ = gbk;
  textChanged();
}

LRESULT Control::perform(UINT msg, WPARAM w, LPARAM l) {
  auto* wc = dynamic_cast<WinControl*>(this);
  if (!wc || !wc->handleAllocated()) return 0;
  return SendMessageW(wc->hwnd_, msg, w, l);
}

void Control::invalidate() {}

void Control::update() {
  auto* wc = dynamic_cast<WinControl*>(this);
  if (wc && wc->handleAllocated()) UpdateWindow(wc->hwnd_);
}

void Control::bringToFront() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.push_back(this);
  auto* wc = dynamic_cast<WinControl*>(this);
  if (wc && wc->handleAllocated()) SetWindowPos(wc->hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  parent_->realign();
}

void Control::sendToBack() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  list.insert(list.begin(), this);
  auto* wc = dynamic_cast<WinControl*>(this);
  if (wc && wc->handleAllocated())
    SetWindowPos(wc->hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  parent_->realign();
}

POINT Control::clientToScreen(POINT p) const {
  auto* wc = dynamic_cast<const WinControl*>(this);
  if (wc && wc->hwnd_) ClientToScreen(wc->hwnd_, &p);
  return p;
}
POINT Control::screenToClient(POINT p) const {
  auto* wc = dynamic_cast<const WinControl*>(this);
  if (wc && wc->hwnd_) ScreenToClient(wc->hwnd_, &p);
  return p;
}

void Control::changeScale(int m, int d) {
  if (m == d || d == 0) return;
  int l = MulDiv(left_, m, d), t = MulDiv(top_, m, d);
  int w = MulDiv(left_ + width_, m, d) - l, h = MulDiv(top_ + height_, m, d) - t;
  if (!parentFont_) {
    auto keep = std::move(font_->onChange);
    font_->setHeight(MulDiv(font_->height(), m, d));
    font_->onChange = std::move(keep);
    fontChanged();
  }
  setBounds(l, t, w, h);
}

void Control::click() {
  Control* self = this;
  dispatchEvent([self] { self->onClick(self); });
}

}  // namespace ui

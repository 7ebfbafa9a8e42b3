#include "ui/splitter.h"

#include <windowsx.h>

#include <algorithm>

namespace ui {

const ClassInfo& Splitter::staticClassInfo() {
  static const ClassInfo info = [] {
    ClassInfo c("TSplitter", &WinControl::staticClassInfo(), makeComponent<Splitter>);
    // The splitter's own defaults: aligned to the left, the size cursor.
    PropInfo a = *Control::staticClassInfo().find("Align");
    a.def = Value::integer(static_cast<long long>(Align::Left));
    PropInfo cur = *Control::staticClassInfo().find("Cursor");
    cur.def = Value::integer(crHSplit);
    PropInfo w = *Control::staticClassInfo().find("Width");
    w.def = Value::integer(3);
    c.prop(a).prop(cur).prop(w)
        .prop(prop::boolean<Splitter>("AutoSnap", true, &Splitter::autoSnap, &Splitter::setAutoSnap))
        .prop(prop::integer<Splitter, int>("MinSize", 30, &Splitter::minSize, &Splitter::setMinSize))
        .prop(prop::event("OnMoved", &Splitter::onMoved));
    return c;
  }();
  return info;
}

Splitter::Splitter(Component* owner) : WinControl(owner) {
  align_ = Align::Left;
  width_ = 3;
  height_ = 100;
  cursor_ = crHSplit;
}

void Splitter::createParams(CreateParams& params) {
  WinControl::createParams(params);
  params.className = L"UiSplitter";
}

void Splitter::paint(Canvas& canvas) {
  canvas.brush.color = color_;
  canvas.brush.style = BrushStyle::Solid;
  canvas.fillRect(clientRect());
}

Control* Splitter::findControl() const {
  if (!parent_ || align_ == Align::None || align_ == Align::Client) return nullptr;
  POINT p{left_, top_};
  switch (align_) {
    case Align::Left: --p.x; break;
    case Align::Right: p.x += width_; break;
    case Align::Top: --p.y; break;
    case Align::Bottom: p.y += height_; break;
    default: break;
  }
  for (Control* c : parent_->controls()) {
    if (c == this || !c->visible() || c->align() != align_) continue;
    RECT r = c->boundsRect();
    // A collapsed neighbour has an empty rectangle: widen it by one towards the splitter.
    if (r.right - r.left == 0) (align_ == Align::Left || align_ == Align::Top) ? --r.left : ++r.right;
    if (r.bottom - r.top == 0) (align_ == Align::Left || align_ == Align::Top) ? --r.top : ++r.bottom;
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

int Splitter::clampSize(int size) const {
  if (size > maxSize_) size = maxSize_;
  if (size <= minSize_) size = autoSnap_ ? 0 : minSize_;
  return std::max(0, size);
}

void Splitter::startDrag(int x, int y) {
  target_ = findControl();
  if (!target_) return;
  bool horizontal = align_ == Align::Left || align_ == Align::Right;
  startSize_ = horizontal ? target_->width() : target_->height();
  // The neighbour may grow until the client area keeps MinSize.
  RECT area = parent_->alignRect();
  int total = horizontal ? area.right - area.left : area.bottom - area.top;
  int used = 0;
  for (Control* c : parent_->controls()) {
    if (c == target_ || !c->visible()) continue;
    if (horizontal && (c->align() == Align::Left || c->align() == Align::Right)) used += c->width();
    if (!horizontal && (c->align() == Align::Top || c->align() == Align::Bottom)) used += c->height();
  }
  maxSize_ = total - used - minSize_;
  POINT pt{x, y};
  MapWindowPoints(hwnd_, parent_->handle(), &pt, 1);
  downPos_ = horizontal ? pt.x : pt.y;
  newSize_ = startSize_;
  dragging_ = true;
  prevFocus_ = GetFocus();
  SetCapture(hwnd_);
  SetFocus(hwnd_);
  linePos_ = horizontal ? left_ : top_;
  drawLine();
}

void Splitter::drawLine() {
  if (!parent_ || !parent_->handleAllocated()) return;
  HWND p = parent_->handle();
  // The hatched line is drawn over the parent and its children, and inverted again to remove it.
  HDC dc = GetDCEx(p, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
  if (!dc) return;
  static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP bmp = CreateBitmap(8, 8, 1, 1, pattern);
  HBRUSH brush = CreatePatternBrush(bmp);
  HGDIOBJ old = SelectObject(dc, brush);
  bool horizontal = align_ == Align::Left || align_ == Align::Right;
  if (horizontal)
    PatBlt(dc, linePos_, top_, width_, height_, PATINVERT);
  else
    PatBlt(dc, left_, linePos_, width_, height_, PATINVERT);
  SelectObject(dc, old);
  DeleteObject(brush);
  DeleteObject(bmp);
  ReleaseDC(p, dc);
  lineVisible_ = !lineVisible_;
}

void Splitter::moveDrag(int x, int y) {
  if (!dragging_) return;
  POINT pt{x, y};
  MapWindowPoints(hwnd_, parent_->handle(), &pt, 1);
  bool horizontal = align_ == Align::Left || align_ == Align::Right;
  int delta = (horizontal ? pt.x : pt.y) - downPos_;
  if (align_ == Align::Right || align_ == Align::Bottom) delta = -delta;
  int size = clampSize(startSize_ + delta);
  if (size == newSize_ && lineVisible_) return;
  newSize_ = size;
  if (lineVisible_) drawLine();
  switch (align_) {
    case Align::Left: linePos_ = target_->left() + newSize_; break;
    case Align::Right: linePos_ = target_->left() + target_->width() - newSize_ - width_; break;
    case Align::Top: linePos_ = target_->top() + newSize_; break;
    case Align::Bottom: linePos_ = target_->top() + target_->height() - newSize_ - height_; break;
    default: break;
  }
  drawLine();
}

void Splitter::endDrag(bool apply) {
  if (!dragging_) return;
  dragging_ = false;
  if (lineVisible_) drawLine();
  if (GetCapture() == hwnd_) ReleaseCapture();
  if (prevFocus_ && IsWindow(prevFocus_)) SetFocus(prevFocus_);
  prevFocus_ = nullptr;
  Control* t = target_;
  target_ = nullptr;
  if (!apply || !t) return;
  if (align_ == Align::Left || align_ == Align::Right)
    t->setWidth(newSize_);
  else
    t->setHeight(newSize_);
  parent_->realign();
  Splitter* self = this;
  dispatchEvent([self] { self->onMoved(self); });
}

LRESULT Splitter::wndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      startDrag(GET_X_LPARAM(l), GET_Y_LPARAM(l));
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) moveDrag(GET_X_LPARAM(l), GET_Y_LPARAM(l));
      break;
    case WM_LBUTTONUP:
      if (dragging_) {
        moveDrag(GET_X_LPARAM(l), GET_Y_LPARAM(l));
        endDrag(true);
      }
      return 0;
    case WM_KEYDOWN:
      if (dragging_ && w == VK_ESCAPE) {
        endDrag(false);
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      if (dragging_ && reinterpret_cast<HWND>(l) != hwnd_) endDrag(false);
      break;
    default: break;
  }
  return WinControl::wndProc(msg, w, l);
}

}  // namespace ui

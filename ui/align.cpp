// Alignment of a windowed control's children.
//
// The aligned children share alignRect(): first the top-aligned ones (in the order of
// their current top edge), then the bottom-aligned ones (lowest first), the left ones
// (by left edge), the right ones (rightmost first), and last the client-aligned ones,
// which take what remains. Ties keep the children's order. So a banner aligned to the
// bottom spans the whole width, a tree aligned to the left runs from the top down to
// the banner, and the client area takes every change of size.
#include <algorithm>

#include "ui/win_control.h"

namespace ui {

namespace {

bool before(Align a, const Control* x, const Control* y) {
  switch (a) {
    // Equal edges: the one that ends first on the other side goes first, so a
    // collapsed (zero-sized) neighbour stays on its splitter's outer side.
    case Align::Top:
      return x->top() < y->top() || (x->top() == y->top() && x->height() < y->height());
    case Align::Bottom: {
      int xb = x->top() + x->height(), yb = y->top() + y->height();
      return xb > yb || (xb == yb && x->height() < y->height());
    }
    case Align::Left:
      return x->left() < y->left() || (x->left() == y->left() && x->width() < y->width());
    case Align::Right: {
      int xr = x->left() + x->width(), yr = y->left() + y->width();
      return xr > yr || (xr == yr && x->width() < y->width());
    }
    default: return false;
  }
}

}  // namespace

RECT WinControl::alignRect() { return clientRect(); }

void WinControl::enableAlign() {
  if (alignDisabled_ > 0) --alignDisabled_;
  if (alignDisabled_ == 0 && alignPending_) realign();
}

void WinControl::realign() {
  if (alignDisabled_ > 0 || loading() || aligning_) {
    alignPending_ = true;
    return;
  }
  alignPending_ = false;
  aligning_ = true;
  struct ClearPriority {
    Control*& p;
    ~ClearPriority() { p = nullptr; }
  } clear{alignPriority_};
  try {
    RECT r = alignRect();
    alignControls(r);
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

void WinControl::alignControls(RECT& rect) {
  for (Align a : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
    std::vector<Control*> list;
    for (Control* c : controls_) {
      if (!c->visible_ || c->align_ != a) continue;
      if (c == alignPriority_) continue;
      auto pos = std::find_if(list.begin(), list.end(), [&](Control* o) { return before(a, c, o); });
      list.insert(pos, c);
    }
    if (alignPriority_ && alignPriority_->visible_ && alignPriority_->align_ == a) {
      // The child that changed goes first among equals: insert it before the first one it precedes.
      Control* c = alignPriority_;
      auto pos = std::find_if(list.begin(), list.end(), [&](Control* o) { return !before(a, o, c); });
      list.insert(pos, c);
    }
    for (Control* c : list) {
      int w = c->width_, h = c->height_;
      int l = rect.left, t = rect.top;
      int rw = std::max(0, static_cast<int>(rect.right - rect.left));
      int rh = std::max(0, static_cast<int>(rect.bottom - rect.top));
      switch (a) {
        case Align::Top:
          w = rw;
          rect.top += h;
          break;
        case Align::Bottom:
          w = rw;
          t = rect.bottom - h;
          rect.bottom -= h;
          break;
        case Align::Left:
          h = rh;
          rect.left += w;
          break;
        case Align::Right:
          h = rh;
          l = rect.right - w;
          rect.right -= w;
          break;
        case Align::Client:
          w = rw;
          h = rh;
          break;
        default: break;
      }
      c->setBounds(l, t, w, h);
    }
  }
}

}  // namespace ui

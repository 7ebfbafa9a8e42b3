// The caption buttons of the skin's own caption and the hit testing of its frame.
#include <windowsx.h>

#include "skin/window/xp_caption.h"
#include "skin/window/xp_graph_util.h"
#include "skin/window/xp_window.h"

namespace {

constexpr int kNothing = -10, kIcon = -1, kClose = 0, kMaximize = 1, kMinimize = 2, kFirstCustom = 3;

// The number a system button has for the painters: 1 minimise, 2 maximise, 3 close.
int PainterNumber(int index) { return 3 - index; }

LRESULT CodeOf(int index) {
  switch (index) {
    case kClose: return HTCLOSE;
    case kMaximize: return HTMAXBUTTON;
    case kMinimize: return HTMINBUTTON;
    case kIcon: return HTSYSMENU;
    case kNothing: return HTCAPTION;
    default: return HTOBJECT;
  }
}

bool Inside(const RECT& r, POINT p) { return PtInRect(&r, p) != 0; }

}  // namespace

int TxpCaption::SystemButtonCount() const {
  ui::Form* form = Host();
  if (!form || !(form->borderIcons() & ui::biSystemMenu)) return 0;
  return 1 + ((form->borderIcons() & ui::biMaximize) ? 1 : 0) + ((form->borderIcons() & ui::biMinimize) ? 1 : 0);
}

bool TxpCaption::Shown(int index) const {
  ui::Form* form = Host();
  const int icons = form ? form->borderIcons() : 0;
  const bool system = (icons & ui::biSystemMenu) != 0;
  switch (index) {
    case kClose: return system;
    case kMaximize: return system && (icons & ui::biMaximize);
    case kMinimize: return system && (icons & ui::biMinimize);
    default: return index >= kFirstCustom && index < kFirstCustom + customButtonCount_;
  }
}

int TxpCaption::SlotPosition(int index) const {
  ui::Form* form = Host();
  const int icons = form ? form->borderIcons() : 0;
  const bool system = (icons & ui::biSystemMenu) != 0;
  switch (index) {
    case kClose: return 0;
    case kMaximize: return system ? 1 : 0;
    case kMinimize: return (system ? 1 : 0) + (system && (icons & ui::biMaximize) ? 1 : 0);
    default: return SystemButtonCount() + index - kFirstCustom;
  }
}

RECT TxpCaption::ButtonSlot(int position, RECT c) const {
  const int s = buttonSize_, y = (c.top + c.bottom - s) / 2, shift = position * (s + 2);
  return RECT{c.right - s - 10 - shift, y, c.right - 10 - shift, y + s};
}

int TxpCaption::CaptionButtonAt(POINT point, RECT captionRect) const {
  const int b = EffectiveBorder();
  if (displayAppIcon_ &&
      Inside(RECT{b + iconMarginLeft_, b + iconMarginTop_, height_ + iconMarginLeft_ - 2, height_ + iconMarginTop_ - 2},
             point))
    return kIcon;
  for (int index = kClose; index < kFirstCustom + customButtonCount_; ++index)
    if (Shown(index) && Inside(ButtonSlot(SlotPosition(index), captionRect), point)) return index;
  return kNothing;
}

void TxpCaption::PaintCaptionButtons(ui::Canvas& canvas, RECT captionRect) {
  for (int index : {kClose, kMaximize, kMinimize})
    if (Shown(index))
      PaintButton(canvas, index, pressedButton_ == index ? tbsDowned : tbsNormal,
                  ButtonSlot(SlotPosition(index), captionRect), false);
  for (int i = 1; i <= customButtonCount_; ++i)
    if (owner_.OnCustomButtonDraw)
      owner_.OnCustomButtonDraw(this, canvas, ButtonSlot(SlotPosition(kFirstCustom + i - 1), captionRect), i,
                                tbsNormal);
}

void TxpCaption::PaintCaptionButton(int index, TTitleButtonState state, RECT captionRect) {
  ui::Form* form = Host();
  if (index < kClose || !form || !form->handleAllocated()) return;
  ui::WindowCanvas canvas(form->handle(), true);
  const RECT slot = ButtonSlot(SlotPosition(index), captionRect);
  if (index >= kFirstCustom) {
    if (owner_.OnCustomButtonDraw) owner_.OnCustomButtonDraw(this, canvas, slot, index - 2, state);
    return;
  }
  PaintButton(canvas, index, state, slot, true);
}

void TxpCaption::PaintButton(ui::Canvas& canvas, int index, TTitleButtonState state, RECT slot, bool pressedOffset) {
  if (owner_.OnCustomSysBtnDraw) {
    owner_.OnCustomSysBtnDraw(&owner_, canvas, slot, PainterNumber(index), state);
  } else if (buttonPainter_) {
    buttonPainter_(*Host(), canvas, state, PainterNumber(index), slot);
  } else {
    PaintButtonFace(canvas, slot, index == kClose, state);
    PaintGlyph(canvas, index, slot, pressedOffset && state == tbsDowned ? 1 : 0);
  }
}

void TxpCaption::PaintButtonFace(ui::Canvas& canvas, RECT rect, bool isClose, TTitleButtonState state) {
  canvas.brush.style = ui::BrushStyle::Clear;
  canvas.pen.width = 1;
  ui::TColor from = isClose ? 0x000000FF : activeStartColor_, to = isClose ? 0x00800080 : activeEndColor_;
  if (state == tbsActive) {
    from = DarkenColor(from, -30);
    to = DarkenColor(to, -30);
  }
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  FillGradient(canvas, inner, from, to, state == tbsDowned ? fdBottomToTop : fdTopToBottom, 30);
  canvas.pen.color = btnBorderColor_;
  canvas.pen.style = ui::PenStyle::Solid;
  canvas.brush.style = ui::BrushStyle::Clear;
  canvas.roundRect(rect.left, rect.top, rect.right, rect.bottom, 3, 3);
}

void TxpCaption::PaintGlyph(ui::Canvas& canvas, int index, RECT s, int d) {
  const int l = s.left + d, t = s.top + d, r = s.right + d, b = s.bottom + d;
  canvas.pen.style = ui::PenStyle::Solid;
  if (index == kClose) {
    canvas.pen.color = ui::clWhite;
    canvas.pen.width = 2;
    canvas.moveTo(l + 4, t + 4);
    canvas.lineTo(r - 4, b - 4);
    canvas.moveTo(l + 4, b - 4);
    canvas.lineTo(r - 4, t + 4);
    canvas.pen.width = 1;
    return;
  }
  canvas.pen.width = 1;
  canvas.pen.color = font_.color();
  canvas.brush.color = font_.color();
  if (index == kMaximize) {
    canvas.brush.style = ui::BrushStyle::Clear;
    canvas.rectangle(l + 4, t + 5, r - 4, b - 4);
    canvas.brush.style = ui::BrushStyle::Solid;
    canvas.rectangle(l + 4, t + 5, r - 4, t + 8);
  } else {
    canvas.brush.style = ui::BrushStyle::Solid;
    canvas.rectangle(l + 5, b - 7, r - 7, b - 5);
  }
}

RECT TxpCaption::CaptionStrip() const {
  ui::Form* form = Host();
  RECT w{};
  if (form && form->handleAllocated()) GetWindowRect(form->handle(), &w);
  return RECT{0, 0, w.right - w.left, EffectiveBorder() + height_};
}

void TxpCaption::Repaint(int index, TTitleButtonState state) { PaintCaptionButton(index, state, CaptionStrip()); }

LRESULT TxpCaption::HitTestFrame(LPARAM lParam) {
  ui::Form* form = Host();
  if (!form || !form->handleAllocated()) return HTNOWHERE;
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RECT wr{};
  GetWindowRect(form->handle(), &wr);
  const int l = wr.left, t = wr.top, r = wr.right, bt = wr.bottom;
  const int b = EffectiveBorder(), a = roundedCorners_ != 0 ? roundedCornerRadius_ / 2 : 5;
  if (visible_ && Inside(RECT{l + b, t + 5, r - b, t + b + height_}, p)) {
    const int index = CaptionButtonAt(POINT{p.x - l, p.y - t}, CaptionStrip());
    if (index < 0) {
      if (hotButton_ != -1) {
        Repaint(hotButton_, tbsNormal);
        hotButton_ = -1;
      }
    } else if (index != hotButton_) {
      if (hotButton_ != -1) Repaint(hotButton_, tbsNormal);
      Repaint(index, tbsActive);
      hotButton_ = index;
    }
    if (pressedButton_ != kNothing && index != pressedButton_) {
      Repaint(pressedButton_, tbsNormal);
      pressedButton_ = kNothing;
    }
    return CodeOf(index);
  }
  const struct {
    RECT zone;
    LRESULT code;
  } zones[] = {
      {{l, t, l + borderSize_ + a, t + b + a}, HTTOPLEFT},
      {{r - a, t, r + 1, t + a}, HTTOPRIGHT},
      {{l, bt - b - a, l + a, bt}, HTBOTTOMLEFT},
      {{r - a, bt - b - a, r, bt}, HTBOTTOMRIGHT},
      {{l, t + 5, l + b, bt - 5}, HTLEFT},
      {{r - b, t + 5, r + 1, bt - 5}, HTRIGHT},
      {{l + 5, t, r - 5, t + b}, HTTOP},
      {{l + 5, bt - b, r - 5, bt}, HTBOTTOM},
  };
  for (const auto& z : zones)
    if (Inside(z.zone, p)) return z.code;
  return HTCLIENT;
}

bool TxpCaption::CaptionMouseDown(WPARAM wParam, LPARAM& lParam) {
  ui::Form* form = Host();
  if (!form || !form->handleAllocated()) return false;
  RECT wr{};
  GetWindowRect(form->handle(), &wr);
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  pressedButton_ = CaptionButtonAt(POINT{p.x - wr.left, p.y - wr.top},
                                   RECT{0, 0, wr.right - wr.left, height_ + borderSize_});
  const int b = EffectiveBorder();
  switch (wParam) {
    case HTSYSMENU:
      // The system menu opens under the icon: the saved procedure opens it there.
      SetCursorPos(wr.left + b + 2, wr.top + b + height_);
      lParam = MAKELPARAM(wr.left + b + 2, wr.top + b + 2);
      return false;
    case HTCLOSE: Repaint(kClose, tbsDowned); return true;
    case HTMAXBUTTON: Repaint(kMaximize, tbsDowned); return true;
    case HTMINBUTTON: Repaint(kMinimize, tbsDowned); return true;
    case HTOBJECT: Repaint(pressedButton_, tbsDowned); return true;
    default: return false;
  }
}

bool TxpCaption::CaptionMouseUp(WPARAM wParam, LPARAM lParam) {
  ui::Form* form = Host();
  if (pressedButton_ == kNothing || !form || !form->handleAllocated()) return false;
  HWND wnd = form->handle();
  auto command = [&](WPARAM sc) {
    Repaint(pressedButton_, tbsNormal);
    pressedButton_ = kNothing;
    SendMessageW(wnd, WM_SYSCOMMAND, sc, lParam);
    return true;
  };
  switch (wParam) {
    case HTMINBUTTON: return command(SC_MINIMIZE);
    case HTMAXBUTTON: return command(IsZoomed(wnd) ? SC_RESTORE : SC_MAXIMIZE);
    case HTCLOSE: return command(SC_CLOSE);
    case HTOBJECT:
      if (visible_) {
        RECT wr{};
        GetWindowRect(wnd, &wr);
        const int index = CaptionButtonAt(POINT{GET_X_LPARAM(lParam) - wr.left, GET_Y_LPARAM(lParam) - wr.top},
                                          CaptionStrip());
        if (index >= kFirstCustom && owner_.OnCustomButtonClick) {
          Repaint(index, tbsNormal);
          owner_.OnCustomButtonClick(this, index - 2);
        }
        pressedButton_ = kNothing;
      }
      return true;
    default: return false;
  }
}

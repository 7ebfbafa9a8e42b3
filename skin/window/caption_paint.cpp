// The caption strip and the non-client layout of the skin's own frame.
#include "skin/window/xp_caption.h"
#include "skin/window/xp_graph_util.h"
#include "skin/window/xp_window.h"
#include "ui/application.h"

namespace {

// A window device context, released however painting ends.
struct WindowDC {
  explicit WindowDC(HWND w) : wnd(w), dc(GetWindowDC(w)) {}
  ~WindowDC() { ReleaseDC(wnd, dc); }
  HWND wnd;
  HDC dc;
};

}  // namespace

LRESULT TxpCaption::CalcClientArea(LPARAM lParam) {
  RECT& r = *reinterpret_cast<RECT*>(lParam);
  if (visible_) r.top += height_;
  if (HasBottomCorner(roundedCorners_)) r.bottom -= roundedCornerRadius_ / 2;
  if (ui::Form* form = Host(); form && form->handleAllocated()) {
    LONG style = GetWindowLongW(form->handle(), GWL_STYLE);
    if (style & WS_VSCROLL) r.right -= 18;
    if (style & WS_HSCROLL) r.bottom -= 18;
  }
  if (showBorder_) InflateRect(&r, -borderSize_, -borderSize_);
  return 0;
}

void TxpCaption::PaintFrame() {
  ui::Form* form = Host();
  if (!form || !form->handleAllocated()) return;
  HWND wnd = form->handle();
  RECT window{};
  GetWindowRect(wnd, &window);
  const RECT r{0, 0, window.right - window.left, window.bottom - window.top};
  WindowDC target(wnd);
  if (visible_) {
    const RECT strip{0, 0, r.right, height_ + EffectiveBorder()};
    ui::Bitmap offscreen(r.right, strip.bottom);
    PaintCaption(offscreen.canvas(), strip);
    BitBlt(target.dc, 0, 0, r.right, strip.bottom, offscreen.canvas().handle(), 0, 0, SRCCOPY);
  }
  ui::Canvas canvas(target.dc);
  if (showBorder_) {
    PaintBorder(canvas, r);
  } else if (HasBottomCorner(roundedCorners_)) {
    canvas.brush.style = ui::BrushStyle::Solid;
    canvas.brush.color = form->color();
    canvas.fillRect(RECT{0, r.bottom - roundedCornerRadius_ / 2, r.right, r.bottom});
  }
}

void TxpCaption::PaintCaption(ui::Canvas& canvas, RECT rect) {
  ui::Form* form = Host();
  if (!form) return;
  const int b = EffectiveBorder();
  if (gradientFill_)
    FillGradient(canvas, rect, windowActive_ ? activeStartColor_ : inActiveStartColor_,
                 windowActive_ ? activeEndColor_ : inActiveEndColor_, fillDirection_, 60);
  else
    FillGradient(canvas, rect, activeStartColor_, activeStartColor_, fdTopToBottom, 1);
  canvas.font.assign(font_);
  const std::string& text = form->caption();
  int x = 5;
  const int y = (rect.top + rect.bottom - canvas.textHeight(text.empty() ? " " : text)) / 2;
  if (displayAppIcon_) x += height_ - b;
  if (!image_.empty()) PaintCaptionImage(canvas, rect, x);
  bool next = true;
  if (owner_.OnCustomDrawTitle) owner_.OnCustomDrawTitle(this, canvas, rect, windowActive_, next);
  if (displayAppIcon_ && next) PaintTitleIcon(canvas);
  if (!text.empty() && next) {
    canvas.brush.style = ui::BrushStyle::Clear;
    canvas.setTransparentText(true);
    const ui::TColor below = static_cast<ui::TColor>(canvas.pixel(x, y) & 0x00FFFFFF);
    const ui::TColor fontColor = font_.color();
    canvas.font.setColor(DarkenColor(below, -30));
    canvas.textOut(x + iconMarginLeft_ + 1, y + 1, text);
    canvas.font.setColor(fontColor);
    canvas.textOut(x + iconMarginLeft_, y, text);
  }
  PaintCaptionButtons(canvas, rect);
}

void TxpCaption::PaintCaptionImage(ui::Canvas& canvas, RECT rect, int& x) {
  image_.transparentColor = ui::clDefault;
  image_.transparent = false;
  const int w = image_.width(), h = image_.height();
  const int y = (rect.top + rect.bottom - h) / 2;
  const ui::TColor key = imageTransparent_ ? static_cast<ui::TColor>(image_.canvas().pixel(0, 0)) : ui::clNone;
  auto place = [&](int left) { DrawBitmapTransparent(canvas, left, y, image_, key); };
  switch (imageAlign_) {
    case iaLeft:
      place(x);
      x += w + 10;
      break;
    case iaRight: {
      const int reserve = (SystemButtonCount() + customButtonCount_) * (buttonSize_ + 2) + 10;
      place(rect.right - w - reserve - 2);
      break;
    }
    case iaCenter: place((rect.left + rect.right - w) / 2); break;
    case iaStretch:
      DrawBitmapTransparent(canvas, rect.left, rect.top, RectWidth(rect), RectHeight(rect), image_, RECT{0, 0, 0, 0},
                            key);
      break;
    case iaTile:
      image_.transparent = imageTransparent_;
      TileBitmap(canvas, rect, image_);
      break;
  }
}

void TxpCaption::PaintTitleIcon(ui::Canvas& canvas) {
  ui::Form* form = Host();
  HICON icon = !form->icon().empty() ? form->icon().handle() : ui::application().icon();
  if (!icon) return;
  const int b = EffectiveBorder(), size = height_ - b - 4;
  DrawIconEx(canvas.handle(), b + iconMarginLeft_, b + iconMarginTop_, icon, size, size, 0, nullptr, DI_NORMAL);
}

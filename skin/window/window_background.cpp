#include "skin/window/window_background.h"

#include "skin/window/fill_direction_names.h"
#include "skin/window/xp_graph_util.h"
#include "skin/window/xp_window.h"

namespace {

const std::vector<std::string> kBackgroundStyleNames = {"wbgNone", "wbgGradient", "wbgTiled", "wbgStretched"};

ui::PropInfo BackgroundImageProperty() {
  return ui::prop::resource<TxpWindowBackground>(
      "Image", [](TxpWindowBackground& b) { return b.Image().resourceName(); },
      [](TxpWindowBackground& b, const std::string& name) {
        ui::Bitmap loaded;
        if (!name.empty()) loaded.loadFromResource(name);
        b.SetImage(loaded);
      });
}

}  // namespace

const ui::ClassInfo& TxpWindowBackground::staticClassInfo() {
  using T = TxpWindowBackground;
  using ui::prop::alwaysStored;
  static const ui::ClassInfo info =
      ui::ClassInfo("TxpWindowBackground", &ui::Persistent::staticClassInfo())
          .prop(ui::prop::boolean<T>("Active", false, &T::Active, &T::SetActive))
          .prop(alwaysStored(ui::prop::enumeration<T, TwgbStyle>("Style", kBackgroundStyleNames, wbgGradient, &T::Style,
                                                                 &T::SetStyle)))
          .prop(alwaysStored(ui::prop::enumeration<T, TFillDirection>(
              "GradientFillDir", FillDirectionNames(), fdVerticalFromCenter, &T::GradientFillDir,
              &T::SetGradientFillDir)))
          .prop(alwaysStored(ui::prop::color<T, ui::TColor>("StartColor", 0, &T::StartColor, &T::SetStartColor)))
          .prop(alwaysStored(ui::prop::color<T, ui::TColor>("EndColor", 0, &T::EndColor, &T::SetEndColor)))
          .prop(BackgroundImageProperty());
  return info;
}

TxpWindowBackground::TxpWindowBackground(TxpWindow& owner) : owner_(owner) {}

void TxpWindowBackground::InvalidateHost() {
  if (ui::Form* form = owner_.HostForm()) form->invalidate();
}

void TxpWindowBackground::SetActive(bool v) {
  if (active_ == v) return;
  active_ = v;
  ui::Form* form = owner_.HostForm();
  if (!form) return;
  if (form->formStyle() != ui::FormStyle::MDIForm)
    form->invalidate();
  else
    form->perform(WM_SIZE, 0, MAKELPARAM(form->width(), form->height()));
}

void TxpWindowBackground::SetImage(const ui::Bitmap& bitmap) {
  try {
    image_.clear();
  } catch (...) {
    // Releasing the old image cannot be allowed to stop the new one.
  }
  image_.assign(bitmap);
  InvalidateHost();
}

LRESULT TxpWindowBackground::PaintBackground(WPARAM wParam) {
  ui::Form* form = owner_.HostForm();
  if (!form) return 1;
  if (HDC dc = reinterpret_cast<HDC>(wParam)) {
    Paint(dc);
    return 1;
  }
  if (!form->handleAllocated()) return 1;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(form->handle(), &ps);
  try {
    Paint(dc);
  } catch (...) {
    EndPaint(form->handle(), &ps);
    throw;
  }
  EndPaint(form->handle(), &ps);
  return 1;
}

void TxpWindowBackground::Paint(HDC dc) {
  // The canvas lets go of the device context however painting ends.
  struct Detach {
    ui::Canvas& canvas;
    ~Detach() { canvas.setHandle(nullptr); }
  } detach{canvas_};
  ui::Form& form = *owner_.HostForm();
  canvas_.setHandle(dc);
  const RECT r = form.clientRect();
  auto plain = [&] {
    canvas_.brush.style = ui::BrushStyle::Solid;
    canvas_.brush.color = form.color();
    canvas_.fillRect(r);
  };
  switch (style_) {
    case wbgNone: plain(); break;
    case wbgGradient: FillGradient(canvas_, r, startColor_, endColor_, gradientFillDir_, 60); break;
    case wbgTiled: image_.empty() ? plain() : TileBitmap(canvas_, r, image_); break;
    case wbgStretched: image_.empty() ? plain() : canvas_.stretchDraw(r, image_); break;
  }
}

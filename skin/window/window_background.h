// TxpWindowBackground: while Active, paints the client background of the skin's form
// (WM_ERASEBKGND) as the form colour, a gradient, or a tiled or stretched image.
#pragma once
#include <windows.h>

#include "skin/window/core/fill_direction.h"
#include "skin/window/xp_window_enums.h"
#include "ui/graphics.h"
#include "ui/persistent.h"

class TxpWindow;

class TxpWindowBackground : public ui::Persistent {
 public:
  explicit TxpWindowBackground(TxpWindow& owner);
  static const ui::ClassInfo& staticClassInfo();
  const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

  bool Active() const { return active_; }
  void SetActive(bool v);
  TwgbStyle Style() const { return style_; }
  void SetStyle(TwgbStyle v) { Change(style_, v); }
  TFillDirection GradientFillDir() const { return gradientFillDir_; }
  void SetGradientFillDir(TFillDirection v) { Change(gradientFillDir_, v); }
  ui::TColor StartColor() const { return startColor_; }
  void SetStartColor(ui::TColor v) { Change(startColor_, v); }
  ui::TColor EndColor() const { return endColor_; }
  void SetEndColor(ui::TColor v) { Change(endColor_, v); }
  ui::Bitmap& Image() { return image_; }
  // Copies the bitmap in place of the current image.
  void SetImage(const ui::Bitmap& bitmap);

  // Paints the background on the device context in wParam (the form's own paint DC
  // when 0); the message result, 1.
  LRESULT PaintBackground(WPARAM wParam);

 private:
  template <class T>
  void Change(T& field, T v) {
    if (field == v) return;
    field = v;
    InvalidateHost();
  }
  void InvalidateHost();
  void Paint(HDC dc);

  TxpWindow& owner_;
  ui::Canvas canvas_;
  bool active_ = false;
  TwgbStyle style_ = wbgGradient;
  TFillDirection gradientFillDir_ = fdVerticalFromCenter;
  ui::TColor startColor_ = 16048082;
  ui::TColor endColor_ = 16379881;
  ui::Bitmap image_;
};

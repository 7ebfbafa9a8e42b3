// TxpCaption: the skin's own caption bar, border and caption buttons. While Active
// (and its TxpWindow is), the system caption is taken away, the caption strip and
// border are reserved in the non-client area and painted by the skin, and the window
// gets a shape with rounded corners. Every setter stores the value and asks for the
// repaint it needs; most also return the owner's Style to xwsCustom.
#pragma once
#include <windows.h>

#include <functional>

#include "skin/window/core/fill_direction.h"
#include "skin/window/xp_ctrl_style.h"
#include "skin/window/xp_window_enums.h"
#include "ui/graphics.h"
#include "ui/persistent.h"

class TxpWindow;
namespace ui {
class Form;
}

// A built-in style's replacement for the border painting:
// (owner, canvas, window rectangle at the origin, active, continue).
using TBorderPainter = std::function<void(TxpWindow& owner, ui::Canvas& canvas, RECT rect, bool active, bool& next)>;
// A built-in style's replacement for the system buttons' faces:
// (host form, canvas, state, button number 1 minimise / 2 maximise / 3 close, slot).
using TButtonPainter =
    std::function<void(ui::Form& form, ui::Canvas& canvas, TTitleButtonState state, int button, RECT slot)>;

class TxpCaption : public ui::Persistent {
 public:
  explicit TxpCaption(TxpWindow& owner);
  static const ui::ClassInfo& staticClassInfo();
  const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

  TxpWindow& Owner() const { return owner_; }

  bool Active() const { return active_; }
  void SetActive(bool v);
  // Clears or sets the flag alone, without the activation steps.
  void SetActiveField(bool v) { active_ = v; }
  // The activation steps for the current flag: the caption style bits written to the
  // window and its region given or taken away (the style is left as it is).
  void ApplyActivation();
  // The window's activation state, kept from every WM_NCACTIVATE.
  bool WindowActive() const { return windowActive_; }
  void SetWindowActive(bool v) { windowActive_ = v; }

  int Height() const { return height_; }
  void SetHeight(int v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  ui::Bitmap& Image() { return image_; }
  void SetImage(const ui::Bitmap& bitmap);
  TgbImageAlign ImageAlign() const { return imageAlign_; }
  void SetImageAlign(TgbImageAlign v);
  bool ImageTransparent() const { return imageTransparent_; }
  void SetImageTransparent(bool v);
  ui::Font& Font() { return font_; }
  void SetFont(const ui::Font& font);
  bool ShowBorder() const { return showBorder_; }
  void SetShowBorder(bool v);
  int BorderSize() const { return borderSize_; }
  void SetBorderSize(int v);
  ui::TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(ui::TColor v);
  ui::TColor BorderInActiveColor() const { return borderInActiveColor_; }
  void SetBorderInActiveColor(ui::TColor v);
  int ButtonSize() const { return buttonSize_; }
  void SetButtonSize(int v);
  int CustomButtonCount() const { return customButtonCount_; }
  void SetCustomButtonCount(int v);
  ui::TColor BtnBorderColor() const { return btnBorderColor_; }
  void SetBtnBorderColor(ui::TColor v);
  TRoundedCorners RoundedCorners() const { return roundedCorners_; }
  void SetRoundedCorners(TRoundedCorners v);
  int RoundedCornerRadius() const { return roundedCornerRadius_; }
  void SetRoundedCornerRadius(int v);
  bool DisplayAppIcon() const { return displayAppIcon_; }
  void SetDisplayAppIcon(bool v);
  int IconMarginLeft() const { return iconMarginLeft_; }
  void SetIconMarginLeft(int v);
  int IconMarginTop() const { return iconMarginTop_; }
  void SetIconMarginTop(int v);
  bool GradientFill() const { return gradientFill_; }
  void SetGradientFill(bool v);
  TFillDirection FillDirection() const { return fillDirection_; }
  void SetFillDirection(TFillDirection v);
  ui::TColor ActiveStartColor() const { return activeStartColor_; }
  void SetActiveStartColor(ui::TColor v);
  ui::TColor ActiveEndColor() const { return activeEndColor_; }
  void SetActiveEndColor(ui::TColor v);
  ui::TColor InActiveStartColor() const { return inActiveStartColor_; }
  void SetInActiveStartColor(ui::TColor v);
  ui::TColor InActiveEndColor() const { return inActiveEndColor_; }
  void SetInActiveEndColor(ui::TColor v);

  // The caption element pressed (-10: none) and under the pointer (-1: none).
  int PressedButton() const { return pressedButton_; }
  int HotButton() const { return hotButton_; }

  // Painters a built-in style installs; a caption setter that returns the style to
  // xwsCustom removes them.
  const TBorderPainter& BorderPainter() const { return borderPainter_; }
  const TButtonPainter& ButtonPainter() const { return buttonPainter_; }
  void RemovePainters();
  // WM_NCCALCSIZE: turns the proposed window rectangle in lParam into the client
  // rectangle (caption strip, rounded-bottom allowance, scroll bars, border); 0.
  LRESULT CalcClientArea(LPARAM lParam);
  // WM_NCPAINT: the caption strip (composed off-screen) and the border.
  void PaintFrame();
  // The caption strip on a canvas: background, image, icon, title and buttons.
  void PaintCaption(ui::Canvas& canvas, RECT rect);
  // The border along the window's shape; rect is the window at the origin.
  void PaintBorder(ui::Canvas& canvas, RECT rect);
  // The border width that counts (0 without a border).
  int EffectiveBorder() const { return showBorder_ ? borderSize_ : 0; }

  // Caption buttons and hit testing. Element indices: -10 nothing, -1 the icon, 0 close,
  // 1 maximise, 2 minimise, 3.. the custom buttons; points and rectangles are relative
  // to the window's top-left corner.
  int SystemButtonCount() const;
  int CaptionButtonAt(POINT point, RECT captionRect) const;
  void PaintCaptionButtons(ui::Canvas& canvas, RECT captionRect);
  // One button straight onto the window (nothing for -1 and -10).
  void PaintCaptionButton(int index, TTitleButtonState state, RECT captionRect);
  void PaintButtonFace(ui::Canvas& canvas, RECT rect, bool isClose, TTitleButtonState state);
  // WM_NCHITTEST: the hit-test code (and the hot and pressed buttons follow the pointer).
  LRESULT HitTestFrame(LPARAM lParam);
  // WM_NCLBUTTONDOWN / WM_NCLBUTTONUP: true when handled (lParam may be changed).
  bool CaptionMouseDown(WPARAM wParam, LPARAM& lParam);
  bool CaptionMouseUp(WPARAM wParam, LPARAM lParam);

  // Sets the caption values of a built-in look (xwsCustom: only removes the painters).
  void ApplyStyle(TxpWindowStyle style);

 private:
  ui::Form* Host() const;
  // Removes the painters; xwsICQ then installs its bitmap painters.
  void InstallStylePainters(TxpWindowStyle style);
  void ToCustom();     // the owner's Style back to xwsCustom
  void PaintCaptionImage(ui::Canvas& canvas, RECT rect, int& x);
  void PaintTitleIcon(ui::Canvas& canvas);
  void PaintDefaultBorder(ui::Canvas& canvas, RECT rect);
  // The slot of an element, counted from the right of the caption strip.
  RECT ButtonSlot(int position, RECT captionRect) const;
  int SlotPosition(int index) const;
  bool Shown(int index) const;
  void PaintButton(ui::Canvas& canvas, int index, TTitleButtonState state, RECT slot, bool pressedOffset);
  void PaintGlyph(ui::Canvas& canvas, int index, RECT slot, int d);
  RECT CaptionStrip() const;
  void Repaint(int index, TTitleButtonState state);
  void NCPaint();      // WM_NCPAINT to the host form
  void RefreshFrame();  // the owner's RefreshFrame
  // The region follows a shape setting while the caption and its owner are active.
  void ReapplyRegion();

  TxpWindow& owner_;
  bool active_ = false;
  bool windowActive_ = true;
  int height_;
  bool visible_ = true;
  bool showBorder_ = true;
  int borderSize_ = 3;
  ui::TColor borderColor_ = 0x00D42504;
  ui::TColor borderInActiveColor_ = 0x00DEB3A1;
  ui::TColor btnBorderColor_ = 0x00FFFFFF;
  int buttonSize_ = 20;
  int customButtonCount_ = 0;
  int pressedButton_ = -10;
  int hotButton_ = -1;
  ui::Font font_;
  ui::Bitmap image_;
  TgbImageAlign imageAlign_ = iaCenter;
  bool imageTransparent_ = true;
  bool gradientFill_ = false;
  TFillDirection fillDirection_ = fdTopToBottom;
  ui::TColor activeStartColor_ = 0x00E44C00;
  ui::TColor activeEndColor_ = 0x00FE7105;
  ui::TColor inActiveStartColor_ = 0x00EAB496;
  ui::TColor inActiveEndColor_ = 0x00E7A480;
  bool displayAppIcon_ = true;
  int iconMarginLeft_ = 3;
  int iconMarginTop_ = 2;
  TRoundedCorners roundedCorners_ = RoundedCornerBit(rcTopLeft) | RoundedCornerBit(rcTopRight);
  int roundedCornerRadius_ = 14;
  TBorderPainter borderPainter_;
  TButtonPainter buttonPainter_;
};

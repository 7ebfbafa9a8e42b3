// The built-in looks: each sets a fixed list of caption values through the ordinary
// setters, in a fixed order (the first setter returns a previous built-in style to
// xwsCustom, which removes its painters; the bitmap painters come after that point).
#include "skin/window/xp_caption.h"

namespace {

struct StyleValues {
  ui::TColor activeStart, activeEnd, inActiveStart, inActiveEnd, border, borderInActive;
  int borderSize, buttonSize;
  ui::TColor btnBorder;
  int iconLeft, iconTop;
  TFillDirection fill;
  ui::TColor fontColor;
  int fontSize, height;
  int radius;  // 0: left as it is
  TRoundedCorners corners;
};

constexpr TRoundedCorners kTopCorners = RoundedCornerBit(rcTopLeft) | RoundedCornerBit(rcTopRight);

const StyleValues& ValuesOf(TxpWindowStyle style) {
  static const StyleValues blue{15503686, 13856547, 15381654, 15180928, 13903108, 14594977, 4, 18, 16777215,
                                3,        2,        fdXP,     16777215, 10,       28,       14, kTopCorners};
  static const StyleValues silver{16777215, 12493732, 16777215, 14931927, 8292488, 14141897, 4, 18, 8292488,
                                  3,        2,        fdXP,     0,        10,      28,       14, kTopCorners};
  static const StyleValues olive{9817538, 8632490, 12837344, 12310484, 6793366, 12507350, 4, 18, 6793366,
                                 3,       2,       fdXP,     16777215, 10,      28,       14, kTopCorners};
  static const StyleValues msn{15521743, 16646143, 14200466, 16646143, 12095090, 13612198, 2, 18, 12632256,
                               3,        2,        fdVerticalFromCenter, 7025439, 10, 28, 0, 0};
  static const StyleValues icq{9325343, 12548683, 9325343, 12548683, 15195352, 15195352, 4, 15, 12632256,
                               8,       4,        fdVerticalFromCenter, 16777215, 8, 24, 30, kAllRoundedCorners};
  switch (style) {
    case xwsXPBlue: return blue;
    case xwsXPSilver: return silver;
    case xwsXPOlive: return olive;
    case xwsMSN: return msn;
    default: return icq;
  }
}

}  // namespace

void TxpCaption::ApplyStyle(TxpWindowStyle style) {
  if (style == xwsCustom) return RemovePainters();
  const StyleValues& v = ValuesOf(style);
  const bool blue = style == xwsXPBlue;
  SetActive(true);
  SetActiveStartColor(v.activeStart);
  SetActiveEndColor(v.activeEnd);
  if (!blue) {
    SetInActiveStartColor(v.inActiveStart);
    SetInActiveEndColor(v.inActiveEnd);
  }
  SetBorderColor(v.border);
  SetBorderInActiveColor(v.borderInActive);
  if (!blue) InstallStylePainters(style);
  SetBorderSize(v.borderSize);
  SetButtonSize(v.buttonSize);
  SetBtnBorderColor(v.btnBorder);
  if (blue) RemovePainters();
  SetDisplayAppIcon(true);
  SetIconMarginLeft(v.iconLeft);
  SetIconMarginTop(v.iconTop);
  SetFillDirection(v.fill);
  font_.setColor(v.fontColor);
  font_.setSize(v.fontSize);
  font_.setStyle(ui::fsBold);
  SetGradientFill(true);
  SetHeight(v.height);
  image_.clear();
  if (blue) {
    SetInActiveStartColor(v.inActiveStart);
    SetInActiveEndColor(v.inActiveEnd);
  }
  if (v.radius) SetRoundedCornerRadius(v.radius);
  SetRoundedCorners(v.corners);
  SetShowBorder(true);
  SetVisible(true);
}

#include "ui/color.h"

#include <strings.h>

#include <utility>

namespace ui {
namespace {

const std::pair<const char*, TColor> kNames[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clNone", clNone}, {"clDefault", clDefault},
    {"clScrollBar", clScrollBar}, {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption}, {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu}, {"clWindow", clWindow}, {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText}, {"clWindowText", clWindowText}, {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder}, {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace}, {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk}, {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
};

}  // namespace

COLORREF colorToRGB(TColor c) {
  if (c == clNone || c == clDefault) return RGB(0, 0, 0);
  if ((static_cast<unsigned>(c) & 0xFF000000u) == 0xFF000000u) return GetSysColor(c & 0xFF);
  return static_cast<COLORREF>(c) & 0x00FFFFFF;
}

std::string colorName(TColor c) {
  for (const auto& [name, value] : kNames)
    if (value == c) return name;
  return {};
}

bool colorFromName(const std::string& name, TColor& out) {
  for (const auto& [n, value] : kNames)
    if (strcasecmp(n, name.c_str()) == 0) {
      out = value;
      return true;
    }
  return false;
}

}  // namespace ui

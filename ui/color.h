// Colour values: 0x00BBGGRR literal colours, 0xFF0000xx system colours (index in the
// low byte, resolved with GetSysColor), clNone for "no colour".
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

namespace ui {

using TColor = std::int32_t;

constexpr TColor sysColor(int index) { return static_cast<TColor>(0xFF000000u | unsigned(index)); }

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor clScrollBar = sysColor(COLOR_SCROLLBAR), clBackground = sysColor(COLOR_BACKGROUND),
                 clActiveCaption = sysColor(COLOR_ACTIVECAPTION),
                 clInactiveCaption = sysColor(COLOR_INACTIVECAPTION), clMenu = sysColor(COLOR_MENU),
                 clWindow = sysColor(COLOR_WINDOW), clWindowFrame = sysColor(COLOR_WINDOWFRAME),
                 clMenuText = sysColor(COLOR_MENUTEXT), clWindowText = sysColor(COLOR_WINDOWTEXT),
                 clCaptionText = sysColor(COLOR_CAPTIONTEXT),
                 clActiveBorder = sysColor(COLOR_ACTIVEBORDER),
                 clInactiveBorder = sysColor(COLOR_INACTIVEBORDER),
                 clAppWorkSpace = sysColor(COLOR_APPWORKSPACE), clHighlight = sysColor(COLOR_HIGHLIGHT),
                 clHighlightText = sysColor(COLOR_HIGHLIGHTTEXT), clBtnFace = sysColor(COLOR_BTNFACE),
                 clBtnShadow = sysColor(COLOR_BTNSHADOW), clGrayText = sysColor(COLOR_GRAYTEXT),
                 clBtnText = sysColor(COLOR_BTNTEXT),
                 clInactiveCaptionText = sysColor(COLOR_INACTIVECAPTIONTEXT),
                 clBtnHighlight = sysColor(COLOR_BTNHIGHLIGHT), cl3DDkShadow = sysColor(COLOR_3DDKSHADOW),
                 cl3DLight = sysColor(COLOR_3DLIGHT), clInfoText = sysColor(COLOR_INFOTEXT),
                 clInfoBk = sysColor(COLOR_INFOBK),
                 clGradientActiveCaption = sysColor(COLOR_GRADIENTACTIVECAPTION),
                 clGradientInactiveCaption = sysColor(COLOR_GRADIENTINACTIVECAPTION);

// The RGB value (COLORREF) of a colour: system colours through GetSysColor.
// clNone and clDefault resolve to black; callers that honour them test first.
COLORREF colorToRGB(TColor c);
// Colour names as the form description writes them ("clBtnFace"); empty when unnamed.
std::string colorName(TColor c);
// Looks a colour name up; false when unknown.
bool colorFromName(const std::string& name, TColor& out);

}  // namespace ui

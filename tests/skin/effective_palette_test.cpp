// The effective palette from known system colours, at 16 or more and at 8 bits per pixel.
#include <gtest/gtest.h>

#include "skin/menu/effective_palette.h"

using namespace xpmenu;

namespace {

// Wine's light scheme and the classic grey one.
constexpr Rgb kLightFace = MakeRgb(245, 245, 245), kLightShadow = MakeRgb(166, 166, 166),
              kLightHighlight = MakeRgb(48, 150, 250);
constexpr Rgb kClassicFace = MakeRgb(212, 208, 200), kClassicShadow = MakeRgb(128, 128, 128),
              kClassicHighlight = MakeRgb(10, 36, 106);

PaletteInputs settings(Rgb face, Rgb shadow, Rgb highlight, bool highColor) {
  PaletteInputs in;
  in.Color = MakeRgb(1, 1, 1);
  in.IconBackColor = MakeRgb(2, 2, 2);
  in.SelectColor = MakeRgb(100, 120, 140);
  in.SelectBorderColor = MakeRgb(4, 4, 4);
  in.SelectFontColor = MakeRgb(5, 5, 5);
  in.MenuBarColor = MakeRgb(6, 6, 6);
  in.DisabledColor = MakeRgb(7, 7, 7);
  in.SeparatorColor = MakeRgb(8, 8, 8);
  in.CheckedColor = MakeRgb(9, 9, 9);
  in.FontColor = MakeRgb(11, 12, 13);
  in.BtnFace = face;
  in.BtnShadow = shadow;
  in.Highlight = highlight;
  in.HighColor = highColor;
  return in;
}

}  // namespace

TEST(EffectivePalette, SystemColoursOnAHighColourDisplay) {
  for (auto [face, shadow, hl] : {std::tuple{kLightFace, kLightShadow, kLightHighlight},
                                  std::tuple{kClassicFace, kClassicShadow, kClassicHighlight}}) {
    EffectivePalette p = ComputePalette(settings(face, shadow, hl, true));
    EXPECT_EQ(p.MenuFace, LightenColor(face, 86));
    EXPECT_EQ(p.IconFace, LightenColor(face, 16));
    EXPECT_EQ(p.SelectFace, LightenColor(hl, 68));
    EXPECT_EQ(p.SelectEdge, hl);
    EXPECT_EQ(p.SelectText, MakeRgb(11, 12, 13));
    EXPECT_EQ(p.BarFace, face);
    EXPECT_EQ(p.DisabledText, LightenColor(shadow, 10));
    EXPECT_EQ(p.SeparatorLine, LightenColor(shadow, 25));
    EXPECT_EQ(p.CheckEdge, hl);
    EXPECT_EQ(p.CheckFace, LightenColor(hl, 80));
    EXPECT_EQ(p.CheckFaceSelected, LightenColor(hl, 50));
    EXPECT_EQ(p.FlatEdge, DarkenMenuColor(face, 90));
    EXPECT_EQ(p.FlatShadow, DarkenMenuColor(face, 76));
  }
  // The classic scheme, worked out by hand.
  EffectivePalette p = ComputePalette(settings(kClassicFace, kClassicShadow, kClassicHighlight, true));
  EXPECT_EQ(p.MenuFace, MakeRgb(249, 248, 247));  // 212 + 36.54, 208 + 40.42, 200 + 47.3
  EXPECT_EQ(p.FlatEdge, MakeRgb(122, 120, 110));
}

TEST(EffectivePalette, SystemColoursOnAnEightBitDisplay) {
  EffectivePalette p = ComputePalette(settings(kLightFace, kLightShadow, kLightHighlight, false));
  EXPECT_EQ(p.MenuFace, kWhite);
  EXPECT_EQ(p.IconFace, kLightFace);
  EXPECT_EQ(p.SelectFace, kWhite);  // the selection fill is white
  EXPECT_EQ(p.SelectEdge, kLightHighlight);
  EXPECT_EQ(p.BarFace, kLightFace);
  EXPECT_EQ(p.DisabledText, kLightShadow);
  EXPECT_EQ(p.SeparatorLine, kLightShadow);
  EXPECT_EQ(p.CheckEdge, kLightHighlight);
  EXPECT_EQ(p.CheckFace, kWhite);
  EXPECT_EQ(p.CheckFaceSelected, kWhite);
  EXPECT_EQ(p.FlatEdge, kLightShadow);
  EXPECT_EQ(p.FlatShadow, kLightShadow);
  EXPECT_EQ(p.SelectText, MakeRgb(11, 12, 13));
}

TEST(EffectivePalette, OwnColoursWithoutSystemColours) {
  PaletteInputs in = settings(kLightFace, kLightShadow, kLightHighlight, true);
  in.UseSystemColors = false;
  EffectivePalette p = ComputePalette(in);
  EXPECT_EQ(p.MenuFace, in.Color);
  EXPECT_EQ(p.IconFace, in.IconBackColor);
  EXPECT_EQ(p.SelectFace, in.SelectColor);
  EXPECT_EQ(p.CheckFace, in.SelectColor);
  EXPECT_EQ(p.CheckFaceSelected, in.SelectColor);
  EXPECT_EQ(p.SelectEdge, in.SelectBorderColor);
  EXPECT_EQ(p.SelectText, in.SelectFontColor);
  EXPECT_EQ(p.BarFace, in.MenuBarColor);
  EXPECT_EQ(p.DisabledText, in.DisabledColor);
  EXPECT_EQ(p.CheckEdge, in.CheckedColor);
  EXPECT_EQ(p.SeparatorLine, in.SeparatorColor);
  EXPECT_EQ(p.FlatEdge, DarkenMenuColor(kLightFace, 90));
  in.UseDimColor = true;
  p = ComputePalette(in);
  EXPECT_EQ(p.SelectFace, LightenColor(in.SelectColor, 68));
  EXPECT_EQ(p.CheckFace, LightenColor(in.SelectColor, 80));
  EXPECT_EQ(p.CheckFaceSelected, LightenColor(in.SelectColor, 50));
  in.HighColor = false;  // few colours: no dimming, white and silver check boxes
  p = ComputePalette(in);
  EXPECT_EQ(p.SelectFace, in.SelectColor);
  EXPECT_EQ(p.CheckFace, kWhite);
  EXPECT_EQ(p.CheckFaceSelected, kSilver);
  EXPECT_EQ(p.FlatEdge, kLightShadow);
}

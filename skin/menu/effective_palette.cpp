#include "skin/menu/effective_palette.h"

namespace xpmenu {

namespace {

// The selection and check tints and the flat frame colours from the skin's settings.
void fromSettings(const PaletteInputs& in, EffectivePalette& p) {
  p.MenuFace = in.Color;
  p.IconFace = in.IconBackColor;
  if (in.HighColor) {
    if (in.UseDimColor) {
      p.SelectFace = LightenColor(in.SelectColor, 68);
      p.CheckFace = LightenColor(in.SelectColor, 80);
      p.CheckFaceSelected = LightenColor(in.SelectColor, 50);
    } else {
      p.SelectFace = p.CheckFace = p.CheckFaceSelected = in.SelectColor;
    }
    p.FlatEdge = DarkenMenuColor(in.BtnFace, 90);
    p.FlatShadow = DarkenMenuColor(in.BtnFace, 76);
  } else {
    p.SelectFace = in.SelectColor;
    p.CheckFace = kWhite;
    p.CheckFaceSelected = kSilver;
    p.FlatEdge = in.BtnShadow;
    p.FlatShadow = in.BtnShadow;
  }
  p.SelectEdge = in.SelectBorderColor;
  p.SelectText = in.SelectFontColor;
  p.BarFace = in.MenuBarColor;
  p.DisabledText = in.DisabledColor;
  p.CheckEdge = in.CheckedColor;
  p.SeparatorLine = in.SeparatorColor;
}

// The system colours replace the settings (the flat frame colours stay).
void fromSystem(const PaletteInputs& in, EffectivePalette& p) {
  p.SelectText = in.FontColor;
  p.SelectEdge = p.CheckEdge = in.Highlight;
  p.BarFace = in.BtnFace;
  if (in.HighColor) {
    p.MenuFace = LightenColor(in.BtnFace, 86);
    p.IconFace = LightenColor(in.BtnFace, 16);
    p.SelectFace = LightenColor(in.Highlight, 68);
    p.DisabledText = LightenColor(in.BtnShadow, 10);
    p.SeparatorLine = LightenColor(in.BtnShadow, 25);
    p.CheckFace = LightenColor(in.Highlight, 80);
    p.CheckFaceSelected = LightenColor(in.Highlight, 50);
  } else {
    p.MenuFace = p.SelectFace = p.CheckFace = p.CheckFaceSelected = kWhite;
    p.IconFace = in.BtnFace;
    p.DisabledText = p.SeparatorLine = in.BtnShadow;
  }
}

}  // namespace

EffectivePalette ComputePalette(const PaletteInputs& in) {
  EffectivePalette p;
  fromSettings(in, p);
  if (in.UseSystemColors) fromSystem(in, p);
  return p;
}

}  // namespace xpmenu

// The thirteen colours every drawing routine of the menu skin reads, and how they
// follow from the skin's colour settings, the system colours and the colour depth.
// Portable: the inputs arrive as literal colours (system colours already resolved).
#pragma once
#include "skin/menu/menu_colors.h"

namespace xpmenu {

struct EffectivePalette {
  Rgb MenuFace = 0;           // pop-up menu background
  Rgb IconFace = 0;           // icon column; strip of flat pop-up frames
  Rgb SelectFace = 0;         // selection bar fill
  Rgb SelectEdge = 0;         // selection bar outline
  Rgb SelectText = 0;         // text of a selected item
  Rgb CheckFace = 0;          // check box of an unselected checked item
  Rgb CheckFaceSelected = 0;  // check box of a selected checked item
  Rgb CheckEdge = 0;          // check box outline
  Rgb BarFace = 0;            // menu bar background
  Rgb DisabledText = 0;       // text and marks of disabled items
  Rgb SeparatorLine = 0;      // separator line
  Rgb FlatEdge = 0;           // border of flat pop-up windows
  Rgb FlatShadow = 0;         // shadow of flat pop-up windows
  bool operator==(const EffectivePalette&) const = default;
};

// What the palette is computed from.
struct PaletteInputs {
  // The skin's settings.
  Rgb Color = 0, IconBackColor = 0, SelectColor = 0, SelectBorderColor = 0, SelectFontColor = 0,
      MenuBarColor = 0, DisabledColor = 0, SeparatorColor = 0, CheckedColor = 0, FontColor = 0;
  bool UseDimColor = false;
  bool UseSystemColors = true;
  // The system's colours.
  Rgb BtnFace = 0, BtnShadow = 0, Highlight = 0;
  // The device has 16 or more bits per pixel.
  bool HighColor = true;
};

EffectivePalette ComputePalette(const PaletteInputs& in);

}  // namespace xpmenu

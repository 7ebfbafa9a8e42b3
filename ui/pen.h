#pragma once
// Line settings of a canvas.
#include <windows.h>

#include "ui/color.h"
#include "ui/persistent.h"

namespace ui {

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };
class Pen : public Persistent {
 public:
  TColor color = clBlack;
  int width = 1;
  PenStyle style = PenStyle::Solid;
  int mode = R2_COPYPEN;  // raster operation for lines
};

}  // namespace ui

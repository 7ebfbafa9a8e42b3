#pragma once
// Fill settings of a canvas.
#include <windows.h>

#include "ui/color.h"
#include "ui/persistent.h"

namespace ui {

enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
class Brush : public Persistent {
 public:
  TColor color = clWhite;
  BrushStyle style = BrushStyle::Solid;
  HBITMAP bitmap = nullptr;  // a pattern brush when set (not owned)
};

}  // namespace ui

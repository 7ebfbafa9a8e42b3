// The bitmap-drawn style's painters: the border with its corner pieces and the system
// caption buttons drawn from the program's bitmap resources (white transparent).
#pragma once
#include <windows.h>

#include "skin/window/xp_window_enums.h"
#include "ui/graphics.h"

class TxpWindow;
namespace ui {
class Form;
}

void IcqBorderPainter(TxpWindow& owner, ui::Canvas& canvas, RECT rect, bool active, bool& next);
void IcqButtonPainter(ui::Form& form, ui::Canvas& canvas, TTitleButtonState state, int button, RECT slot);

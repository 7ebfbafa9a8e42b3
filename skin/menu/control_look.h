// The flat look the menu skin paints over a themed control, one painter per kind of
// control. Each painter runs after the control has painted itself and draws only the
// flat parts: borders, bevels, faces and frames, in colours of the skin's palette.
#pragma once
#include "ui/win_control.h"

class TXPMenu;
namespace ui {
class Panel;
}

namespace xpmenu {

// What a painter needs to know of the control's state.
struct ControlLook {
  bool hot = false;      // the mouse is inside or the control got the focus
  bool focused = false;  // the control's window has the keyboard focus
  bool pressed = false;  // a push is under way (space key, or left button while hot)
  ui::BorderStyle savedBorderStyle = ui::BorderStyle::None;  // before theming
  unsigned lastMessage = 0;  // the message the control handled last
};

// List boxes and tree views: a one-pixel ring over the window's outer edge.
void PaintFlatBorder(TXPMenu& skin, ui::WinControl& control, const ControlLook& look);
// Edit controls: a one-pixel ring around the client area.
void PaintEditBorder(TXPMenu& skin, ui::WinControl& control, const ControlLook& look);
// Lookup combo boxes: a flat frame and a drop-down button with a small arrow.
void PaintDropDown(TXPMenu& skin, ui::WinControl& control, const ControlLook& look);
// Panels: outer and inner bevels in tints of the panel's colour (after a paint only).
void PaintPanelBevels(ui::Panel& panel, const ControlLook& look);
// Push buttons: a rounded flat face with its caption.
void PaintButtonFace(TXPMenu& skin, ui::WinControl& button, const ControlLook& look);
// Group boxes: the group frame in tints of the box's colour (after a paint only).
void PaintGroupFrame(ui::WinControl& box, const ControlLook& look);

}  // namespace xpmenu

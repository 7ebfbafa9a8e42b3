// A menu skin with the main window's look: Tahoma at 11 pixels in the menu text colour,
// the menu bar drawn by the skin, active.
#pragma once
#include "skin/menu/xp_menu.h"

inline TXPMenu* MakeMainWindowSkin(ui::Form* form) {
  auto* skin = new TXPMenu(form);
  ui::Font f;
  f.setName("Tahoma");
  f.setHeight(-11);
  f.setColor(ui::clMenuText);
  skin->SetFont(f);
  skin->SetDrawMenuBar(true);
  skin->SetActive(true);
  return skin;
}

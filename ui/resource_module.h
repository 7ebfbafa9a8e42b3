#pragma once
// Where bitmaps and icons are loaded from.
#include <windows.h>

namespace ui {

// The module whose resources are read (the program; tests may point it elsewhere).
HINSTANCE resourceModule();
void setResourceModule(HINSTANCE module);

}  // namespace ui

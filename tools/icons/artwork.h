#pragma once
// The program's two pictures, 32 x 32.
#include <vector>

#include "tools/icons/canvas.h"

// A smiling yellow cartoon bear's face with a dark outline on a pale, almost wholly opaque
// background: the selected lesson's icon and the program icon.
std::vector<Pixel> DrawBearFace();

// A stack of three closed books (pink on top, red and blue beneath, grey page edges) on a
// transparent background: the icon of every lesson that is not selected.
std::vector<Pixel> DrawBookStack();

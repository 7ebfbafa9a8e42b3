#pragma once
// Graphics objects: font, pen and brush settings, canvases over device contexts,
// bitmaps and icons.
#include "ui/bitmap.h"
#include "ui/brush.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/icon.h"
#include "ui/pen.h"
#include "ui/resource_module.h"
#include "ui/window_canvas.h"

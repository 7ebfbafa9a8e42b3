// The drawing routines every painted surface of the frame skin uses: a clamped colour
// shift, banded gradient fills (linear, centre-out and bevelled), bitmap tiling and
// drawing a bitmap with one colour left out. Colour arguments may be system colours;
// they are resolved to RGB first.
#pragma once
#include <windows.h>

#include "skin/window/core/fill_direction.h"
#include "skin/window/core/gradient_bands.h"
#include "ui/color.h"
#include "ui/graphics.h"

// The bevel width of fdXP and the amount its highlights are lightened by.
constexpr int kXPBevelWidth = 6;
constexpr int kXPLighten = 30;

// Each channel less Amount, clamped to 0..255 (a negative Amount lightens).
ui::TColor DarkenColor(ui::TColor color, int amount);

// Fills Rect with Colors colour steps from StartColor to EndColor in Direction.
void FillGradient(ui::Canvas& canvas, RECT rect, ui::TColor startColor, ui::TColor endColor,
                  TFillDirection direction, int colors);
// The linear directions (fdTopToBottom .. fdRightToLeft).
void FillGradientBands(ui::Canvas& canvas, RECT rect, ui::TColor startColor, ui::TColor endColor,
                       TFillDirection direction, int colors);
// The bevelled fill: body, bottom strip, left and top bevels and the corner. Later
// steps read back pixels that earlier ones painted, so the order is fixed.
void FillXPGradient(ui::Canvas& canvas, RECT rect, ui::TColor startColor, ui::TColor endColor, int colors);

// Repeats the bitmap over Rect, clipped to it (nothing for an empty bitmap).
void TileBitmap(ui::Canvas& canvas, RECT rect, ui::Bitmap& bitmap);

// Draws the bitmap leaving out every pixel of transparentColor (clNone: an opaque
// copy; a monochrome bitmap always leaves out white). The whole bitmap at (x, y);
// a source rectangle at its own size; a source rectangle stretched to width x height.
// A source width or height below 1 takes the whole bitmap; a destination width or
// height below 1 takes the bitmap's.
void DrawBitmapTransparent(ui::Canvas& canvas, int x, int y, ui::Bitmap& bitmap, ui::TColor transparentColor);
void DrawBitmapTransparent(ui::Canvas& canvas, int x, int y, ui::Bitmap& bitmap, RECT source,
                           ui::TColor transparentColor);
void DrawBitmapTransparent(ui::Canvas& canvas, int x, int y, int width, int height, ui::Bitmap& bitmap, RECT source,
                           ui::TColor transparentColor);

// Small helpers.
inline int Max(int a, int b) { return a > b ? a : b; }
inline int Min(int a, int b) { return a < b ? a : b; }
inline int RectHeight(const RECT& r) { return r.bottom - r.top; }
inline int RectWidth(const RECT& r) { return r.right - r.left; }

// Conversions between the Win32 and the portable colour and rectangle types.
skin::Rgb ToRgb(ui::TColor color);
COLORREF ToColorRef(skin::Rgb rgb);
skin::Box ToBox(const RECT& r);
RECT ToRect(const skin::Box& b);

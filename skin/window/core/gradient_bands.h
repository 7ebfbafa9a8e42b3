// The geometry and colours of the banded gradient fills, without any drawing: which
// rectangles a fill paints and in which colour, so both the painting code and its
// tests work from one definition.
#pragma once
#include <cstdint>
#include <vector>

#include "skin/window/core/fill_direction.h"

namespace skin {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// A rectangle with exclusive right and bottom edges.
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool operator==(const Box&) const = default;
};

struct Band {
  Box box;
  Rgb colour;
};

// number * numerator / denominator rounded to the nearest integer, halves away from
// zero, computed without overflow; -1 for a zero denominator or a result out of range.
int MulDivRound(int number, int numerator, int denominator);

// Each channel shifted down by amount (up when negative), clamped to 0..255.
Rgb DarkenRgb(Rgb colour, int amount);

// What a linear fill (directions top-to-bottom .. right-to-left) paints, in painting
// order: a solid rectangle for fewer than two colours; otherwise up to `colors` equal
// bands from one edge and a remainder of the far-end colour at the other.
std::vector<Band> LinearGradientBands(Box rect, Rgb start, Rgb end, TFillDirection direction, int colors);

// The same for every direction but fdXP: the centre-out directions are two linear
// fills meeting in the middle (the lower or right part takes the odd pixel).
std::vector<Band> GradientBands(Box rect, Rgb start, Rgb end, TFillDirection direction, int colors);

}  // namespace skin

#include "skin/menu/menu_colors.h"

#include <algorithm>

namespace xpmenu {

namespace {

int clampChannel(int v) { return std::clamp(v, 0, 255); }

// n / 100 rounded to the nearest integer, ties to the even neighbour.
int roundHundredths(int n) {
  int q = n / 100, r = n % 100;
  if (r < 0) {  // make the remainder non-negative (q toward minus infinity)
    r += 100;
    --q;
  }
  if (r > 50 || (r == 50 && (q & 1))) ++q;
  return q;
}

int lightenChannel(int c, int percent) { return clampChannel(c + roundHundredths((255 - c) * percent)); }

}  // namespace

Rgb LightenColor(Rgb c, int percent) {
  percent = std::min(percent, 100);
  return MakeRgb(lightenChannel(RedOf(c), percent), lightenChannel(GreenOf(c), percent),
                 lightenChannel(BlueOf(c), percent));
}

Rgb DarkenMenuColor(Rgb c, int amount) {
  return MakeRgb(clampChannel(RedOf(c) - amount), clampChannel(GreenOf(c) - amount + 2),
                 clampChannel(BlueOf(c) - amount));
}

Rgb GreyColor(Rgb c, int amount) {
  int g = clampChannel(std::min((RedOf(c) + GreenOf(c) + BlueOf(c)) / 3 + amount, 240));
  return MakeRgb(g, g, g);
}

Rgb ContrastTextColor(Rgb c, Rgb fontColor) {
  int avg = (RedOf(c) + BlueOf(c)) / 2;
  if (avg > 150 || GreenOf(c) > 200) return fontColor;
  return LightenColor(c, 90);
}

Rgb MixColors(std::span<const Rgb> colors) {
  if (colors.empty()) return kBlack;
  int n = static_cast<int>(colors.size()), r = 0, g = 0, b = 0;
  for (Rgb c : colors) {
    r += RedOf(c) / n;
    g += GreenOf(c) / n;
    b += BlueOf(c) / n;
  }
  return MakeRgb(r, g, b);  // kept to 8 bits
}

}  // namespace xpmenu

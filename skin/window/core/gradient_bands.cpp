#include "skin/window/core/gradient_bands.h"

#include <algorithm>
#include <climits>

namespace skin {

int MulDivRound(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  long long product = static_cast<long long>(number) * numerator;
  long long divisor = denominator;
  if (divisor < 0) {
    divisor = -divisor;
    product = -product;
  }
  long long half = divisor / 2;
  long long result = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
  if (result > INT_MAX || result < -INT_MAX) return -1;
  return static_cast<int>(result);
}

namespace {

std::uint8_t ClampChannel(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

bool IsVertical(TFillDirection d) { return d == fdTopToBottom || d == fdBottomToTop; }
bool StartsAtFarEdge(TFillDirection d) { return d == fdBottomToTop || d == fdRightToLeft; }

// One band: `offset` and `extent` along the fill direction, the full rectangle across it.
Box Slice(Box rect, bool vertical, int offset, int extent) {
  Box b = rect;
  if (vertical) {
    b.top = rect.top + offset;
    b.bottom = b.top + extent;
  } else {
    b.left = rect.left + offset;
    b.right = b.left + extent;
  }
  return b;
}

// base + MulDiv(i, delta, steps) per channel, kept to its low byte.
Rgb Step(Rgb base, int dr, int dg, int db, int i, int steps) {
  return Rgb{static_cast<std::uint8_t>(base.r + MulDivRound(i, dr, steps)),
             static_cast<std::uint8_t>(base.g + MulDivRound(i, dg, steps)),
             static_cast<std::uint8_t>(base.b + MulDivRound(i, db, steps))};
}

}  // namespace

Rgb DarkenRgb(Rgb c, int amount) {
  return Rgb{ClampChannel(c.r - amount), ClampChannel(c.g - amount), ClampChannel(c.b - amount)};
}

std::vector<Band> LinearGradientBands(Box rect, Rgb start, Rgb end, TFillDirection direction, int colors) {
  std::vector<Band> out;
  if (rect.empty()) return out;
  if (colors < 2) {
    out.push_back(Band{rect, start});
    return out;
  }
  const bool reversed = StartsAtFarEdge(direction);
  const Rgb base = reversed ? end : start;
  const Rgb far = reversed ? start : end;
  const int dr = far.r - base.r, dg = far.g - base.g, db = far.b - base.b;
  const bool vertical = IsVertical(direction);
  const int extent = vertical ? rect.height() : rect.width();
  const int n = std::max(2, std::min(colors, extent));
  const int band = extent / n;
  if (band > 0)
    for (int i = 0; i < n; ++i) out.push_back(Band{Slice(rect, vertical, i * band, band), Step(base, dr, dg, db, i, n - 1)});
  const int remainder = extent % n;
  if (remainder > 0) out.push_back(Band{Slice(rect, vertical, extent - remainder, remainder), far});
  return out;
}

std::vector<Band> GradientBands(Box rect, Rgb start, Rgb end, TFillDirection direction, int colors) {
  if (direction != fdVerticalFromCenter && direction != fdHorizFromCenter)
    return LinearGradientBands(rect, start, end, direction, colors);
  Box first = rect, second = rect;
  TFillDirection down = fdTopToBottom, up = fdBottomToTop;
  if (direction == fdVerticalFromCenter) {
    first.bottom = second.top = rect.top + rect.height() / 2;
  } else {
    first.right = second.left = rect.left + rect.width() / 2;
    down = fdLeftToRight;
    up = fdRightToLeft;
  }
  std::vector<Band> out = LinearGradientBands(first, start, end, down, colors);
  std::vector<Band> rest = LinearGradientBands(second, start, end, up, colors);
  out.insert(out.end(), rest.begin(), rest.end());
  return out;
}

}  // namespace skin

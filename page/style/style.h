#pragma once
// Computed style of an element: what layout and painting need, after the page's
// presentational attributes, its style sheets and its style attributes are applied.
#include <optional>
#include <string>

#include "page/page.h"

namespace page {

enum class Display { None, Inline, Block, ListItem, Table, TableRow, TableCell, TableSection };
enum class TextAlign { Left, Center, Right };
enum class VAlign { Top, Middle, Bottom, Baseline };
enum class Overflow { Visible, Hidden, Scroll, Auto };
enum class WhiteSpace { Normal, NoWrap, Pre };

struct Length {
  enum class Unit { Auto, Px, Percent };
  Unit unit = Unit::Auto;
  int value = 0;
  bool isAuto() const { return unit == Unit::Auto; }
  // Pixels against `base` (for percentages); `fallback` for auto.
  int resolve(int base, int fallback) const {
    if (unit == Unit::Px) return value;
    if (unit == Unit::Percent) return int(int64_t(base) * value / 100);
    return fallback;
  }
  static Length px(int v) { return {Unit::Px, v}; }
  static Length percent(int v) { return {Unit::Percent, v}; }
};

struct Edges {
  int top = 0, right = 0, bottom = 0, left = 0;
};

struct ComputedStyle {
  // Inherited.
  FontSpec font{"SimSun", 16, false, false, false};
  Color color = 0xFF000000;
  TextAlign textAlign = TextAlign::Left;
  WhiteSpace whiteSpace = WhiteSpace::Normal;
  // Not inherited.
  Display display = Display::Inline;
  std::optional<Color> background;
  std::string backgroundImage;  // as written (resolved against the base at layout)
  Length width, height;
  Edges margin, padding;
  int borderWidth = 0;
  Color borderColor = 0xFF808080;
  Overflow overflow = Overflow::Visible;
  VAlign verticalAlign = VAlign::Baseline;
  std::optional<TextAlign> blockAlign;  // align= of tables, images and iframes
  bool lineThrough = false;
};

// Colour from a name, "#rgb", "#rrggbb", "rrggbb" (old pages omit the '#') or rgb();
// nothing when it is none of these.
std::optional<Color> parseColor(std::string_view text);
// HTML length attribute: "120" or "50%"; Auto when unparsable.
Length parseHtmlLength(std::string_view text);

}  // namespace page

// Where the parts of a skinned menu item go: the composition bitmap and its place on
// the screen, the icon column, the check box, the text, the icon, the separator, the
// tick, the icon-column gradient and the shaded edge of a raised menu bar selection.
// Portable arithmetic, no Windows header: the painting code executes what it says.
#pragma once
#include <vector>

namespace xpmenu {

struct Point {
  int X = 0, Y = 0;
  bool operator==(const Point&) const = default;
};

// Left, top inclusive; right, bottom exclusive.
struct Rect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const Rect&) const = default;
};

struct ItemLayoutInput {
  Rect Item;                // the item's rectangle on the canvas Windows supplied
  bool BarItem = false;     // a top-level item of a main menu
  bool RightToLeft = false;
  int IconWidth = 24;       // the skin's icon column width
  int IconW = 0, IconH = 0; // the item's icon bitmap (0 by 0 when it has none)
};

// Everything in the composition bitmap's coordinates except Destination.
struct ItemLayout {
  Point Destination;              // where the bitmap's top-left corner is copied to
  int BitmapWidth = 0, BitmapHeight = 0;
  Rect Work;                      // W: the item's area inside the bitmap
  Rect IconColumn;                // IC
  Rect CheckRect;                 // CR
  Rect TextRect;                  // TR, before the caption's own insets
};

ItemLayout LayoutMenuItem(const ItemLayoutInput& in);

// The caption's rectangle: TR moved 3 pixels in from the reading side and down so that
// a letter of letterHeight is centred.
Rect CaptionRect(Rect textRect, bool rightToLeft, int letterHeight);

// The separator line: its row and the first and one-past-last column (drawn with the
// end point left out, as a move-to / line-to pair does).
struct Segment {
  Point From, To;
  bool operator==(const Segment&) const = default;
};
Segment SeparatorLine(Rect textRect, bool rightToLeft);

// Where the icon is drawn: centred in the icon column when narrower than it, else
// against its reading-side edge; bar items sit near the edge; a hot icon lifts.
Point ItemIconPosition(Rect iconColumn, int iconWidth, int iconColumnWidth, bool barItem, bool rightToLeft);
Point LiftedIconPosition(Point p, bool barItem);

// The five strokes of the tick in a check box.
std::vector<Segment> TickStrokes(Rect checkRect);

// One column of the icon-column gradient: its x and how far IconFace is lightened.
struct GradientColumn {
  int X = 0, Percent = 0;
  bool operator==(const GradientColumn&) const = default;
};
std::vector<GradientColumn> IconGradientColumns(Rect area, int iconColumnWidth, bool rightToLeft);

// A polyline (end point left out) or a filled rectangle in the bar face darkened by
// Amount (0: the bar face itself).
struct ShadeLine {
  std::vector<Point> Points;
  int Amount = 0;
};
struct ShadeFill {
  Rect Area;
  int Amount = 0;
};

// The outline of a raised bar selection (open on the right) and the soft shadow of its
// right edge, painted over W after the outline: fills first, then lines.
std::vector<Point> RaisedSelectionOutline(Rect w);
std::vector<ShadeFill> RaisedSelectionShadeFills(Rect w);
std::vector<ShadeLine> RaisedSelectionShadeLines(Rect w);
// The outline of the plain bar selection; its darkened strip and its bar-coloured corner.
std::vector<Point> PlainSelectionOutline(Rect w);
Rect PlainSelectionStrip(Rect w);
Rect PlainSelectionCorner(Rect w);

// n / 2 rounded to the nearest integer, ties to the even neighbour.
int HalfRoundedToEven(int n);

}  // namespace xpmenu

#pragma once
// The outline of one shape with its styles.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "tools/swf/shape_styles.h"

namespace swf {

// Builds the outline of one shape: style changes, moves and edges, with absolute
// coordinates (the writer stores the deltas). Styles are 1-based indices; 0 = none.
class Shape {
 public:
  int addFill(const FillStyle& f);   // returns the 1-based index
  int addLine(const LineStyle& l);

  // Selects styles for the edges that follow (written with the next moveTo, or now).
  void setStyles(int fill0, int fill1, int line);
  void moveTo(int32_t x, int32_t y);
  void lineTo(int32_t x, int32_t y);
  void curveTo(int32_t controlX, int32_t controlY, int32_t x, int32_t y);

  // Closed figures drawn with fill0 = 0, fill1 = fill (clockwise on screen) and line.
  void rect(int32_t x, int32_t y, int32_t width, int32_t height, int fill, int line = 0);
  void circle(int32_t cx, int32_t cy, int32_t radius, int fill, int line = 0);
  void polygon(const std::vector<std::pair<int32_t, int32_t>>& points, int fill, int line = 0);

  // Bounds: given explicitly, else the points touched widened by half the widest line.
  void setBounds(const Rect& r) { bounds_ = r; }
  Rect bounds() const;
  Rect edgeBounds() const;  // the points touched, without line widths

  // SHAPEWITHSTYLE body for DefineShape version 1..4 (RGB colours below 3).
  Bytes encode(int shapeVersion) const;
  bool empty() const { return records_.empty(); }

 private:
  struct Record {
    enum Kind { kStyle, kLine, kCurve } kind;
    int32_t a = 0, b = 0, c = 0, d = 0;  // style: move x, y; edges: absolute points
    bool hasMove = false;
    int fill0 = -1, fill1 = -1, line = -1;  // -1 = unchanged
  };
  void touch(int32_t x, int32_t y);
  std::vector<FillStyle> fills_;
  std::vector<LineStyle> lines_;
  std::vector<Record> records_;
  int pendingFill0_ = -1, pendingFill1_ = -1, pendingLine_ = -1;
  bool touched_ = false;
  Rect points_;
  std::optional<Rect> bounds_;
};

}  // namespace swf

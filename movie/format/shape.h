#pragma once
// Shapes as the file describes them: style arrays and edges carrying a left (fill0) and
// a right (fill1) fill style and a line style. Turning these into paths is the paint
// layer's job.
#include <cstdint>
#include <memory>
#include <vector>

#include "movie/format/records.h"
#include "movie/value/bitmap.h"
#include "movie/value/color.h"
#include "movie/value/gradient.h"
#include "movie/value/matrix.h"
#include "movie/value/stroke_style.h"

namespace movie::format {

struct FillStyle {
  enum Kind { Solid, Gradient, Bitmap } kind = Solid;
  Color color;
  movie::Gradient gradient;
  std::shared_ptr<const movie::Bitmap> bitmap;  // null when the id named no bitmap
  Matrix bitmapMatrix;
  bool repeat = true;
  bool smooth = true;
};

struct LineStyle {
  StrokeStyle stroke;
  bool hasFill = false;
  FillStyle fill;  // the stroke's paint; a solid colour unless hasFill
};

// Style indices are 1-based into the edge's group; 0 means none.
struct Edge {
  float x0 = 0, y0 = 0, cx = 0, cy = 0, x1 = 0, y1 = 0;
  bool curve = false;
  uint16_t fill0 = 0, fill1 = 0, line = 0;
  uint16_t group = 0;
};

struct StyleGroup {
  std::vector<FillStyle> fills;
  std::vector<LineStyle> lines;
};

struct ShapeOutline {
  std::vector<StyleGroup> groups;
  std::vector<Edge> edges;
  bool nonZeroFill = false;  // DefineShape4 may ask for the non-zero winding rule
};

struct ShapeDef {
  uint16_t id = 0;
  Rect bounds;
  ShapeOutline outline;
};

// Start and end outlines with the same edges in the same order; styles of both ends.
struct MorphShapeDef {
  uint16_t id = 0;
  Rect startBounds, endBounds;
  ShapeOutline start;             // one group; its styles are the start styles
  std::vector<FillStyle> endFills;
  std::vector<LineStyle> endLines;
  std::vector<Edge> endEdges;     // positions only
  // The outline at ratio 0..65535.
  ShapeOutline at(uint16_t ratio) const;
};

}  // namespace movie::format

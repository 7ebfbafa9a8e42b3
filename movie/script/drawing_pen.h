#pragma once
// What scripts draw into a clip of their own (moveTo, lineTo, beginFill and the rest):
// the clip's vector drawing, shown beneath its children. Coordinates are the clip's
// own, in twips. The timeline layer keeps the drawing; the script methods only feed it.
#include "movie/value/color.h"
#include "movie/value/gradient.h"
#include "movie/value/stroke_style.h"

namespace movie::script {

class DrawingPen {
 public:
  virtual ~DrawingPen() = default;
  // The line the following edges draw with; null: no line.
  virtual void lineStyle(const StrokeStyle* stroke, Color color) = 0;
  // Paints the current line with a gradient instead of its colour (no line: nothing).
  virtual void lineGradient(const Gradient& gradient) = 0;
  // A fill begins at the pen, closing the one before; a solid colour or a gradient.
  virtual void beginFill(Color color) = 0;
  virtual void beginFill(const Gradient& gradient) = 0;
  // Closes the current fill back to where it began.
  virtual void endFill() = 0;
  virtual void moveTo(double x, double y) = 0;
  virtual void lineTo(double x, double y) = 0;
  virtual void curveTo(double controlX, double controlY, double x, double y) = 0;
  // Removes everything drawn, the styles, and puts the pen back at the origin.
  virtual void clear() = 0;
};

}  // namespace movie::script

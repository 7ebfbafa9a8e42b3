#pragma once
// A clip's drawing made by scripts: a shape outline grown edge by edge in the form the
// file's shapes have, so that painting, masks, bounds and hit tests treat it as they
// treat those. Each fill begins a style group of its own: a later fill covers what was
// drawn before it, and the lines drawn with a fill lie on it.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "movie/format/shape.h"
#include "movie/script/display_node.h"

namespace movie::timeline {

// The edges all drawings of one tree hold together, and their bound.
struct DrawingAllowance {
  size_t edges = 0;
  size_t maxEdges = 1'000'000;
};

class ClipDrawing : public script::DrawingPen {
 public:
  // One clip's drawing keeps at most this many edges; later ones are dropped.
  static constexpr size_t kMaxEdges = 250'000;

  explicit ClipDrawing(DrawingAllowance& allowance);
  ~ClipDrawing() override;
  ClipDrawing(const ClipDrawing&) = delete;
  ClipDrawing& operator=(const ClipDrawing&) = delete;
  // Takes another drawing's content, styles and pen (a duplicated clip).
  void copyFrom(const ClipDrawing& other);

  const format::ShapeOutline& outline() const { return outline_; }
  bool empty() const { return outline_.edges.empty(); }
  // Names the present content: every change gives a value no drawing had before.
  uint64_t version() const { return version_; }
  // Own coordinates (twips), half of each line's width included.
  script::Bounds bounds() const { return bounds_; }

  void lineStyle(const StrokeStyle* stroke, Color color) override;
  void lineGradient(const Gradient& gradient) override;
  void beginFill(Color color) override;
  void beginFill(const Gradient& gradient) override;
  void endFill() override;
  void moveTo(double x, double y) override;
  void lineTo(double x, double y) override;
  void curveTo(double controlX, double controlY, double x, double y) override;
  void clear() override;

 private:
  struct Point {
    float x = 0, y = 0;
  };
  void startFill(const format::FillStyle& fill);
  void closeFill();
  void addEdge(Point to, const Point* control, bool withLine);
  bool openGroup();  // a group that can take the current styles; false when none can
  void include(Point p, float halfWidth);
  void changed();

  DrawingAllowance& allowance_;
  format::ShapeOutline outline_;
  std::optional<format::FillStyle> fill_;  // the fill being drawn
  std::optional<format::LineStyle> line_;
  uint16_t fillIndex_ = 0, lineIndex_ = 0;  // in the last group; 0: not there yet
  bool groupUsed_ = false;                  // the last group has edges
  Point pen_, fillStart_;
  bool fillOpen_ = false;  // the fill has edges since it began or moved
  script::Bounds bounds_;
  uint64_t version_;
};

}  // namespace movie::timeline

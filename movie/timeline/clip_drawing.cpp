#include "movie/timeline/clip_drawing.h"

#include <algorithm>
#include <cmath>

namespace movie::timeline {
namespace {

// Coordinates further out than this (twips, about 53 million pixels) are brought back
// to it, so that bounds stay within 32-bit twip counts.
constexpr double kFar = 1073741823.0;

uint64_t nextVersion() {
  static uint64_t last = 0;
  return ++last;
}

bool pointOf(double x, double y, float& px, float& py) {
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  px = float(std::clamp(x, -kFar, kFar));
  py = float(std::clamp(y, -kFar, kFar));
  return true;
}

// Where a quadratic curve turns along one axis, as a parameter in (0, 1), or -1.
float turningPoint(float from, float control, float to) {
  float denominator = from - 2 * control + to;
  if (denominator == 0) return -1;
  float t = (from - control) / denominator;
  return t > 0 && t < 1 ? t : -1;
}

float along(float from, float control, float to, float t) {
  float u = 1 - t;
  return u * u * from + 2 * u * t * control + t * t * to;
}

}  // namespace

ClipDrawing::ClipDrawing(DrawingAllowance& allowance) : allowance_(allowance), version_(nextVersion()) {}

ClipDrawing::~ClipDrawing() { allowance_.edges -= std::min(allowance_.edges, outline_.edges.size()); }

void ClipDrawing::copyFrom(const ClipDrawing& other) {
  clear();
  size_t room = allowance_.maxEdges - std::min(allowance_.maxEdges, allowance_.edges);
  if (other.outline_.edges.size() > room) return;  // the copy starts empty
  outline_ = other.outline_;
  allowance_.edges += outline_.edges.size();
  fill_ = other.fill_;
  line_ = other.line_;
  fillIndex_ = other.fillIndex_;
  lineIndex_ = other.lineIndex_;
  groupUsed_ = other.groupUsed_;
  pen_ = other.pen_;
  fillStart_ = other.fillStart_;
  fillOpen_ = other.fillOpen_;
  bounds_ = other.bounds_;
  changed();
}

void ClipDrawing::changed() { version_ = nextVersion(); }

void ClipDrawing::lineStyle(const StrokeStyle* stroke, Color color) {
  lineIndex_ = 0;
  if (!stroke) {
    line_.reset();
    return;
  }
  line_.emplace();
  line_->stroke = *stroke;
  line_->fill.color = color;
}

void ClipDrawing::lineGradient(const Gradient& gradient) {
  if (!line_) return;
  lineIndex_ = 0;
  line_->hasFill = true;
  line_->fill.kind = format::FillStyle::Gradient;
  line_->fill.gradient = gradient;
}

void ClipDrawing::beginFill(Color color) {
  format::FillStyle fill;
  fill.color = color;
  startFill(fill);
}

void ClipDrawing::beginFill(const Gradient& gradient) {
  format::FillStyle fill;
  fill.kind = format::FillStyle::Gradient;
  fill.gradient = gradient;
  startFill(fill);
}

// What was drawn before lies beneath the new fill: it gets a group of its own.
void ClipDrawing::startFill(const format::FillStyle& fill) {
  closeFill();
  if (groupUsed_ && outline_.groups.size() < 0xFFFF) {
    outline_.groups.emplace_back();
    groupUsed_ = false;
    lineIndex_ = 0;
  }
  fill_ = fill;
  fillIndex_ = 0;
  fillStart_ = pen_;
}

void ClipDrawing::endFill() {
  closeFill();
  fill_.reset();
  fillIndex_ = 0;
}

// An open fill ends with an edge back to where it began, drawn with the current line;
// the pen goes there too.
void ClipDrawing::closeFill() {
  if (!fill_ || !fillOpen_) return;
  if (pen_.x != fillStart_.x || pen_.y != fillStart_.y) addEdge(fillStart_, nullptr, true);
  fillOpen_ = false;
}

void ClipDrawing::moveTo(double x, double y) {
  Point p;
  if (!pointOf(x, y, p.x, p.y)) return;
  closeFill();
  pen_ = p;
  fillStart_ = p;
}

void ClipDrawing::lineTo(double x, double y) {
  Point p;
  if (!pointOf(x, y, p.x, p.y)) return;
  addEdge(p, nullptr, true);
}

void ClipDrawing::curveTo(double controlX, double controlY, double x, double y) {
  Point c, p;
  if (!pointOf(controlX, controlY, c.x, c.y) || !pointOf(x, y, p.x, p.y)) return;
  addEdge(p, &c, true);
}

void ClipDrawing::clear() {
  allowance_.edges -= std::min(allowance_.edges, outline_.edges.size());
  outline_ = format::ShapeOutline{};
  fill_.reset();
  line_.reset();
  fillIndex_ = lineIndex_ = 0;
  groupUsed_ = false;
  pen_ = fillStart_ = Point{};
  fillOpen_ = false;
  bounds_ = script::Bounds{};
  changed();
}

// Adds the styles in use to the last group when they are not there yet.
bool ClipDrawing::openGroup() {
  if (outline_.groups.empty()) outline_.groups.emplace_back();
  format::StyleGroup& group = outline_.groups.back();
  if (fill_ && !fillIndex_) {
    if (group.fills.size() >= 0xFFFF) return false;
    group.fills.push_back(*fill_);
    fillIndex_ = uint16_t(group.fills.size());
  }
  if (line_ && !lineIndex_) {
    if (group.lines.size() >= 0xFFFF) return false;
    group.lines.push_back(*line_);
    lineIndex_ = uint16_t(group.lines.size());
  }
  return true;
}

// The pen moves to `to` whatever happens; an edge is kept when it draws something and
// there is room for it.
void ClipDrawing::addEdge(Point to, const Point* control, bool withLine) {
  Point from = pen_;
  pen_ = to;
  bool lined = withLine && line_;
  if (!fill_ && !lined) return;
  if (outline_.edges.size() >= kMaxEdges || allowance_.edges >= allowance_.maxEdges || !openGroup()) return;
  format::Edge e;
  e.x0 = from.x, e.y0 = from.y, e.x1 = to.x, e.y1 = to.y;
  if (control) {
    e.curve = true;
    e.cx = control->x, e.cy = control->y;
  }
  e.fill1 = fill_ ? fillIndex_ : 0;
  e.line = lined ? lineIndex_ : 0;
  e.group = uint16_t(outline_.groups.size() - 1);
  outline_.edges.push_back(e);
  ++allowance_.edges;
  groupUsed_ = true;
  if (fill_) fillOpen_ = true;
  float half = lined ? line_->stroke.width / 2 : 0;
  include(from, half);
  include(to, half);
  if (control) {
    float tx = turningPoint(from.x, control->x, to.x), ty = turningPoint(from.y, control->y, to.y);
    if (tx >= 0) include({along(from.x, control->x, to.x, tx), along(from.y, control->y, to.y, tx)}, half);
    if (ty >= 0) include({along(from.x, control->x, to.x, ty), along(from.y, control->y, to.y, ty)}, half);
  }
  changed();
}

void ClipDrawing::include(Point p, float halfWidth) {
  double x0 = double(p.x) - halfWidth, x1 = double(p.x) + halfWidth;
  double y0 = double(p.y) - halfWidth, y1 = double(p.y) + halfWidth;
  if (bounds_.empty) {
    bounds_ = script::Bounds{x0, y0, x1, y1, false};
    return;
  }
  bounds_.xMin = std::min(bounds_.xMin, x0);
  bounds_.yMin = std::min(bounds_.yMin, y0);
  bounds_.xMax = std::max(bounds_.xMax, x1);
  bounds_.yMax = std::max(bounds_.yMax, y1);
}

}  // namespace movie::timeline

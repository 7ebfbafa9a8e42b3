#include "movie/paint/grid_cuts.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace movie::paint {
namespace {

constexpr float kEnds = 1e-5f;  // cuts this close to a piece's ends are not made

struct Point {
  float x, y;
};

Point lerp(Point a, Point b, float t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

// Where a piece is cut: its parameter, and the lines it meets there, whose coordinates
// the cut point takes exactly so that the pieces on both sides meet on them.
struct Cut {
  float t;
  bool onX = false, onY = false;
  float x = 0, y = 0;
};

// The parameters in (0, 1) where a + b t + c t^2 (one coordinate of a piece) equals k.
void rootsOf(double a, double b, double c, float k, int axis, std::vector<Cut>& cuts) {
  a -= k;
  auto keep = [&](double t) {
    if (!(t > kEnds && t < 1 - kEnds)) return;
    Cut cut{float(t)};
    (axis == 0 ? cut.onX : cut.onY) = true;
    (axis == 0 ? cut.x : cut.y) = k;
    cuts.push_back(cut);
  };
  if (std::fabs(c) < 1e-9 * (std::fabs(a) + std::fabs(b) + 1)) {
    if (b != 0) keep(-a / b);
    return;
  }
  double disc = b * b - 4 * c * a;
  if (disc < 0) return;
  double root = std::sqrt(disc);
  // The stable pair of roots: no cancellation between b and the root.
  double q = -0.5 * (b + (b < 0 ? -root : root));
  if (q != 0) keep(a / q);
  keep(q / c);
}

void cutsOfLine(Point p0, Point p1, std::array<float, 2> xs, std::array<float, 2> ys, std::vector<Cut>& cuts) {
  for (float k : xs) rootsOf(p0.x, p1.x - p0.x, 0, k, 0, cuts);
  for (float k : ys) rootsOf(p0.y, p1.y - p0.y, 0, k, 1, cuts);
}

void cutsOfQuad(Point p0, Point c, Point p1, std::array<float, 2> xs, std::array<float, 2> ys, std::vector<Cut>& cuts) {
  for (float k : xs) rootsOf(p0.x, 2.0 * (c.x - p0.x), double(p0.x) - 2.0 * c.x + p1.x, k, 0, cuts);
  for (float k : ys) rootsOf(p0.y, 2.0 * (c.y - p0.y), double(p0.y) - 2.0 * c.y + p1.y, k, 1, cuts);
}

Point snapped(Point p, const Cut& cut) {
  if (cut.onX) p.x = cut.x;
  if (cut.onY) p.y = cut.y;
  return p;
}

// In order along the piece; cuts at one place (a corner of the grid) made once.
void sortCuts(std::vector<Cut>& cuts) {
  std::sort(cuts.begin(), cuts.end(), [](const Cut& a, const Cut& b) { return a.t < b.t; });
  size_t kept = 0;
  for (const Cut& cut : cuts) {
    if (kept && cut.t - cuts[kept - 1].t < kEnds) {
      Cut& last = cuts[kept - 1];
      if (cut.onX) last.onX = true, last.x = cut.x;
      if (cut.onY) last.onY = true, last.y = cut.y;
      continue;
    }
    cuts[kept++] = cut;
  }
  cuts.resize(kept);
}

void emitLine(Point from, Point to, const std::function<void(const GridPiece&)>& visit) {
  GridPiece piece;
  piece.verb = render::Path::LineTo;
  piece.points = {to.x, to.y, 0, 0};
  piece.middleX = (from.x + to.x) / 2, piece.middleY = (from.y + to.y) / 2;
  visit(piece);
}

void emitQuad(Point from, Point c, Point to, const std::function<void(const GridPiece&)>& visit) {
  GridPiece piece;
  piece.verb = render::Path::QuadTo;
  piece.points = {c.x, c.y, to.x, to.y};
  piece.middleX = 0.25f * from.x + 0.5f * c.x + 0.25f * to.x;
  piece.middleY = 0.25f * from.y + 0.5f * c.y + 0.25f * to.y;
  visit(piece);
}

void cutLine(Point p0, Point p1, std::vector<Cut>& cuts, const std::function<void(const GridPiece&)>& visit) {
  sortCuts(cuts);
  Point from = p0;
  for (const Cut& cut : cuts) {
    Point at = snapped(lerp(p0, p1, cut.t), cut);
    emitLine(from, at, visit);
    from = at;
  }
  emitLine(from, p1, visit);
}

// Splits the curve at each cut in turn (de Casteljau), the rest taken anew each time.
void cutQuad(Point p0, Point c, Point p1, std::vector<Cut>& cuts, const std::function<void(const GridPiece&)>& visit) {
  sortCuts(cuts);
  float done = 0;
  for (const Cut& cut : cuts) {
    float t = (cut.t - done) / (1 - done);
    if (!(t > 0 && t < 1)) continue;
    Point a = lerp(p0, c, t), b = lerp(c, p1, t);
    Point at = snapped(lerp(a, b, t), cut);
    emitQuad(p0, a, at, visit);
    p0 = at, c = b, done = cut.t;
  }
  emitQuad(p0, c, p1, visit);
}

}  // namespace

render::Path transformed(const render::Path& path, const Matrix& m) {
  render::Path out = path;
  std::vector<float>& c = out.coords;
  for (size_t i = 0; i + 1 < c.size(); i += 2) {
    float px = c[i], py = c[i + 1];
    c[i] = m.a * px + m.c * py + m.tx;
    c[i + 1] = m.b * px + m.d * py + m.ty;
  }
  return out;
}

void forEachGridPiece(const render::Path& path, std::array<float, 2> xs, std::array<float, 2> ys,
                      const std::function<void(const GridPiece&)>& visit) {
  const std::vector<float>& c = path.coords;
  size_t i = 0;
  Point current{0, 0};
  std::vector<Cut> cuts;
  for (render::Path::Verb verb : path.verbs) {
    size_t need = verb == render::Path::QuadTo ? 4 : 2;
    if (i + need > c.size()) return;
    cuts.clear();
    if (verb == render::Path::MoveTo) {
      current = {c[i], c[i + 1]};
      visit({verb, {current.x, current.y, 0, 0}, current.x, current.y});
    } else if (verb == render::Path::LineTo) {
      Point to{c[i], c[i + 1]};
      cutsOfLine(current, to, xs, ys, cuts);
      cutLine(current, to, cuts, visit);
      current = to;
    } else {
      Point ctrl{c[i], c[i + 1]}, to{c[i + 2], c[i + 3]};
      cutsOfQuad(current, ctrl, to, xs, ys, cuts);
      cutQuad(current, ctrl, to, cuts, visit);
      current = to;
    }
    i += need;
  }
}

}  // namespace movie::paint

// Edge walking for the scanline rasterizer: clipping, the fixed-point cell walk and the
// aliased (pixel-centre) variant.
#include "movie/render/rasterizer.h"

#include <cmath>

namespace movie::render::detail {

namespace {
constexpr int kShift = 8;
constexpr int kOne = 1 << kShift;
constexpr int kMask = kOne - 1;
// Widest and tallest target the rasterizer walks (surfaces and masks are far smaller):
// coordinates clipped to it, times kOne, stay far inside int range.
constexpr int kMaxSide = 1 << 22;
}  // namespace

void Rasterizer::reset(int width, int height, AntiAlias aa) {
  width_ = std::clamp(width, 0, kMaxSide);
  height_ = std::clamp(height, 0, kMaxSide);
  aa_ = aa;
  cur_ = {0, 0, 0, 0};
  cells_.clear();
  minY_ = height_;
  maxY_ = -1;
}

namespace {
// Rounds half away from zero, as lround does, without the library call (coordinates are
// already clipped to the target, at most kMaxSide, far inside int range).
inline int roundToInt(double v) { return int(v >= 0 ? v + 0.5 : v - 0.5); }
}  // namespace

int Rasterizer::fixed(double v) const {
  // Medium quality walks a quarter-pixel grid: coarser coverage, same single pass.
  if (aa_ == AntiAlias::Medium) return roundToInt(v * 4) * (kOne / 4);
  return roundToInt(v * kOne);
}

void Rasterizer::addPolygon(const Point* pts, size_t n) {
  if (n < 3) return;
  // Only finite points go on: clipping brings those into the target, where they are safe
  // to turn into fixed point and cell indices. Dropping a polygon whole keeps the winding
  // of the rest balanced. The sum of the coordinates is finite when every point is (short
  // of sums beyond 1e308, far outside anything drawable), so one test after the loop tells,
  // with no branch inside it. The accumulator is the second operand of min and max so that
  // each compiles to one instruction in place.
  double x0 = pts[0].x, x1 = x0, y0 = pts[0].y, y1 = y0;
  double sum = x0 + y0;
  for (size_t i = 1; i < n; ++i) {
    sum += pts[i].x + pts[i].y;
    x0 = std::min(pts[i].x, x0), x1 = std::max(pts[i].x, x1);
    y0 = std::min(pts[i].y, y0), y1 = std::max(pts[i].y, y1);
  }
  if (!(sum - sum == 0)) return;
  if (x1 <= 0 || y1 <= 0 || x0 >= width_ || y0 >= height_) return;
  for (size_t i = 0; i + 1 < n; ++i) addLine(pts[i], pts[i + 1]);
  addLine(pts[n - 1], pts[0]);
}

void Rasterizer::addClosed(const Polylines& lines) {
  for (size_t s = 0; s < lines.count(); ++s) {
    size_t b = lines.begin(s), e = lines.end(s);
    if (e - b >= 2) addPolygon(lines.points.data() + b, e - b);
  }
}

void Rasterizer::addLine(Point a, Point b) {
  double x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
  if (y0 == y1) return;  // horizontal edges change no winding
  const double h = height_, w = width_;
  if ((y0 <= 0 && y1 <= 0) || (y0 >= h && y1 >= h)) return;
  if (x0 >= w && x1 >= w) return;  // only pixels right of the target would change
  // Clip vertically.
  // Where x1 - x0 overflows, the weighted form stays finite.
  auto xAt = [&](double y) {
    double t = (y - y0) / (y1 - y0), x = x0 + (x1 - x0) * t;
    return std::isfinite(x) ? x : x0 * (1 - t) + x1 * t;
  };
  double cy0 = y0, cy1 = y1, cx0 = x0, cx1 = x1;
  if (cy0 < 0) cx0 = xAt(0), cy0 = 0;
  else if (cy0 > h) cx0 = xAt(h), cy0 = h;
  if (cy1 < 0) cx1 = xAt(0), cy1 = 0;
  else if (cy1 > h) cx1 = xAt(h), cy1 = h;
  if (aa_ == AntiAlias::None) {
    lineAliased(cx0, cy0, cx1, cy1);
    return;
  }
  // Clip horizontally: left of the target becomes a vertical edge at x = 0 (it still
  // sets the winding); right of it is dropped.
  auto yAtX = [&](double x) { return cy0 + (cy1 - cy0) * ((x - cx0) / (cx1 - cx0)); };
  struct Piece {
    double x0, y0, x1, y1;
  };
  Piece pieces[3];
  int count = 0;
  double px = cx0, py = cy0;
  auto emit = [&](double nx, double ny) {
    double mx = (px + nx) / 2;
    if (mx < 0) pieces[count++] = {0, py, 0, ny};
    else if (mx <= w) pieces[count++] = {std::clamp(px, 0.0, w), py, std::clamp(nx, 0.0, w), ny};
    px = nx, py = ny;
  };
  double splits[2];
  int ns = 0;
  if ((cx0 < 0) != (cx1 < 0)) splits[ns++] = 0;
  if ((cx0 > w) != (cx1 > w)) splits[ns++] = w;
  if (ns == 2 && (cx0 > cx1)) std::swap(splits[0], splits[1]);
  for (int i = 0; i < ns; ++i) emit(splits[i], yAtX(splits[i]));
  emit(cx1, cy1);
  for (int i = 0; i < count; ++i) {
    const Piece& p = pieces[i];
    lineFixed(fixed(p.x0), fixed(p.y0), fixed(p.x1), fixed(p.y1));
  }
}

void Rasterizer::lineAliased(double x0, double y0, double x1, double y1) {
  // Edge points are rounded to a 256th of a pixel, the precision movies are authored
  // against: a pixel centre a hair from an edge goes the way the rounded edge says,
  // and one exactly on it is decided by the tie rule below rather than by float noise.
  // Rounding ignores the view's tie shift; the result drops it (a 256th grid line lies
  // a quarter step off every tie, so the shift has done its work).
  auto snap = [](double v) { return std::nearbyint((v + kTieShift) * 256) / 256; };
  x0 = snap(x0), y0 = snap(y0), x1 = snap(x1), y1 = snap(y1);
  // A row counts where the edge crosses its centre line; a pixel is inside when its
  // centre is right of the crossing. Rows are half open so shared vertices count once.
  int dir = y1 > y0 ? 1 : -1;
  double ya = std::min(y0, y1), yb = std::max(y0, y1);
  int r0 = std::max(0, int(std::ceil(ya - 0.5))), r1 = std::min(height_, int(std::ceil(yb - 0.5)));
  double slope = (x1 - x0) / (y1 - y0);
  for (int r = r0; r < r1; ++r) {
    double xc = x0 + (r + 0.5 - y0) * slope;
    double cx = std::ceil(xc - 0.5);
    if (!(cx < width_)) continue;  // right of the target, or lost to huge coordinates
    setCell(cx < 0 ? 0 : int(cx), r);
    cur_.cover += dir * kOne;
    pushCell();
  }
}

void Rasterizer::lineFixed(int x1, int y1, int x2, int y2) {
  // A cell meets each edge at most once, so checking here keeps the sums in range.
  if (std::abs(cur_.area) > (1 << 29) || std::abs(cur_.cover) > (1 << 21)) pushCell();
  int ey1 = y1 >> kShift, ey2 = y2 >> kShift;
  int fy1 = y1 & kMask, fy2 = y2 & kMask;
  setCell(x1 >> kShift, ey1);
  if (ey1 == ey2) {
    hline(ey1, x1, fy1, x2, fy2);
    return;
  }
  int dx = x2 - x1, dy = y2 - y1;
  int incr = 1, first = kOne;
  if (dx == 0) {
    int ex = x1 >> kShift;
    int twoFx = (x1 - (ex << kShift)) << 1;
    if (dy < 0) first = 0, incr = -1;
    int delta = first - fy1;
    cur_.cover += delta;
    cur_.area += twoFx * delta;
    ey1 += incr;
    setCell(ex, ey1);
    delta = first + first - kOne;
    while (ey1 != ey2) {
      cur_.cover += delta;
      cur_.area += twoFx * delta;
      ey1 += incr;
      setCell(ex, ey1);
    }
    delta = fy2 - kOne + first;
    cur_.cover += delta;
    cur_.area += twoFx * delta;
    return;
  }
  int64_t p = int64_t(kOne - fy1) * dx;
  if (dy < 0) {
    p = int64_t(fy1) * dx;
    first = 0;
    incr = -1;
    dy = -dy;
  }
  int64_t delta = p / dy, mod = p % dy;
  if (mod < 0) delta--, mod += dy;
  int xFrom = x1 + int(delta);
  hline(ey1, x1, fy1, xFrom, first);
  ey1 += incr;
  setCell(xFrom >> kShift, ey1);
  if (ey1 != ey2) {
    p = int64_t(kOne) * dx;
    int64_t lift = p / dy, rem = p % dy;
    if (rem < 0) lift--, rem += dy;
    mod -= dy;
    while (ey1 != ey2) {
      delta = lift;
      mod += rem;
      if (mod >= 0) mod -= dy, delta++;
      int xTo = xFrom + int(delta);
      hline(ey1, xFrom, kOne - first, xTo, first);
      xFrom = xTo;
      ey1 += incr;
      setCell(xFrom >> kShift, ey1);
    }
  }
  hline(ey1, xFrom, kOne - first, x2, fy2);
}

void Rasterizer::hline(int ey, int x1, int y1, int x2, int y2) {
  int ex1 = x1 >> kShift, ex2 = x2 >> kShift;
  int fx1 = x1 & kMask, fx2 = x2 & kMask;
  if (y1 == y2) {
    setCell(ex2, ey);
    return;
  }
  if (ex1 == ex2) {
    int delta = y2 - y1;
    cur_.cover += delta;
    cur_.area += (fx1 + fx2) * delta;
    return;
  }
  int64_t p = int64_t(kOne - fx1) * (y2 - y1);
  int first = kOne, incr = 1;
  int64_t dx = int64_t(x2) - x1;
  if (dx < 0) {
    p = int64_t(fx1) * (y2 - y1);
    first = 0;
    incr = -1;
    dx = -dx;
  }
  int64_t delta = p / dx, mod = p % dx;
  if (mod < 0) delta--, mod += dx;
  cur_.cover += int(delta);
  cur_.area += (fx1 + first) * int(delta);
  ex1 += incr;
  setCell(ex1, ey);
  y1 += int(delta);
  if (ex1 != ex2) {
    p = int64_t(kOne) * (y2 - y1 + delta);
    int64_t lift = p / dx, rem = p % dx;
    if (rem < 0) lift--, rem += dx;
    mod -= dx;
    while (ex1 != ex2) {
      delta = lift;
      mod += rem;
      if (mod >= 0) mod -= dx, delta++;
      cur_.cover += int(delta);
      cur_.area += kOne * int(delta);
      y1 += int(delta);
      ex1 += incr;
      setCell(ex1, ey);
    }
  }
  int d = y2 - y1;
  cur_.cover += d;
  cur_.area += (fx2 + kOne - first) * d;
}

void Rasterizer::sortCells() {
  // Bucket by row (only the rows in use), then order each row by x.
  const size_t rows = size_t(maxY_ - minY_ + 1);
  rowStart_.assign(rows + 1, 0);
  for (const Cell& c : cells_) rowStart_[size_t(c.y - minY_) + 1]++;
  for (size_t r = 0; r < rows; ++r) rowStart_[r + 1] += rowStart_[r];
  sorted_.resize(cells_.size());
  fillPos_.assign(rowStart_.begin(), rowStart_.end() - 1);
  for (const Cell& c : cells_) sorted_[fillPos_[size_t(c.y - minY_)]++] = c;
  Cell* base = sorted_.data();
  for (size_t r = 0; r < rows; ++r) {
    Cell *b = base + rowStart_[r], *e = base + rowStart_[r + 1];
    if (e - b > 24) {
      std::sort(b, e, [](const Cell& l, const Cell& r) { return l.x < r.x; });
      continue;
    }
    // Rows of small shapes hold a handful of cells, mostly in order already.
    for (Cell* i = b + 1; i < e; ++i) {
      if (i[-1].x <= i->x) continue;
      Cell c = *i;
      Cell* j = i;
      do {
        *j = j[-1];
        --j;
      } while (j > b && j[-1].x > c.x);
      *j = c;
    }
  }
}

}  // namespace movie::render::detail

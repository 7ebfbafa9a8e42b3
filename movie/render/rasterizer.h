#pragma once
// Anti-aliased scanline rasterizer. Edges are walked once in 24.8 fixed point; every pixel
// cell an edge passes gets the edge's vertical extent in the cell (cover) and twice the
// area it leaves to its left (area). A sweep of each row's cells, sorted by x, turns the
// running winding into exact area coverage, and the stretches between cells into runs.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "movie/render/geometry.h"
#include "movie/render/render.h"

namespace movie::render::detail {

// A run of pixels on one row: constant coverage `alpha` when covers is null, else one
// coverage per pixel. Coverage is 0..255.
struct Span {
  int x;
  int len;
  int alpha;
  const uint8_t* covers;
};

class Rasterizer {
 public:
  // Starts a new shape for a width x height target.
  void reset(int width, int height, AntiAlias aa);
  int width() const { return width_; }
  int height() const { return height_; }
  AntiAlias antiAlias() const { return aa_; }

  // A closed polygon in device pixels (the closing edge is implied). Skipped when wholly
  // outside the target (a closed outline changes no winding outside its own bounds) or
  // when a point is infinite or NaN (such an outline has no shape to draw).
  void addPolygon(const Point* pts, size_t n);
  // Each subpath closed back to its start, as fills are.
  void addClosed(const Polylines& lines);

  // Calls sink(y, const Span*, count) for every row that has coverage, top to bottom.
  template <class Sink>
  void sweep(FillRule rule, Sink&& sink);

 private:
  struct Cell {
    int x, y, cover, area;
  };
  static constexpr size_t kMaxCells = size_t(1) << 22;  // 64 MiB: bounds hostile shapes

  // One edge between finite points; clipped to the target here.
  void addLine(Point a, Point b);
  void lineFixed(int x1, int y1, int x2, int y2);
  void hline(int ey, int x1, int y1, int x2, int y2);
  void lineAliased(double x0, double y0, double x1, double y1);
  void setCell(int x, int y) {
    if (x != cur_.x || y != cur_.y) {
      pushCell();
      cur_ = {x, y, 0, 0};
    }
  }
  void pushCell() {
    if ((cur_.cover | cur_.area) == 0) return;
    if (cur_.y >= 0 && cur_.y < height_ && cur_.x < width_ && cells_.size() < kMaxCells) {
      if (cur_.x < 0) cur_.x = 0;
      minY_ = std::min(minY_, cur_.y);
      maxY_ = std::max(maxY_, cur_.y);
      cells_.push_back(cur_);
    }
    cur_.cover = cur_.area = 0;
  }
  void sortCells();
  int fixed(double v) const;

  int width_ = 0, height_ = 0;
  int minY_ = 0, maxY_ = -1;  // rows that hold cells: small shapes sweep only their own rows
  AntiAlias aa_ = AntiAlias::Full;
  Cell cur_{0, 0, 0, 0};
  std::vector<Cell> cells_, sorted_;
  std::vector<uint32_t> rowStart_, fillPos_;
  std::vector<uint8_t> covers_;
  std::vector<Span> spans_;
};

template <class Sink>
void Rasterizer::sweep(FillRule rule, Sink&& sink) {
  pushCell();
  if (cells_.empty()) return;
  sortCells();
  covers_.resize(size_t(width_));
  const bool evenOdd = rule == FillRule::EvenOdd;
  // Winding (in 1/512 of a pixel's area units) to 0..255 coverage.
  auto coverage = [evenOdd](int64_t v) {
    int64_t a = v < 0 ? -v : v;
    a = (a + 256) >> 9;
    if (evenOdd) {
      a &= 511;
      if (a > 256) a = 512 - a;
    } else if (a > 256) {
      a = 256;
    }
    return int((a * 255 + 128) >> 8);
  };
  for (int y = minY_; y <= maxY_; ++y) {
    uint32_t i = rowStart_[size_t(y - minY_)], end = rowStart_[size_t(y - minY_) + 1];
    if (i == end) continue;
    spans_.clear();
    int64_t cover = 0;
    while (i < end) {
      int x = sorted_[i].x;
      int64_t area = 0;
      do {
        cover += sorted_[i].cover;
        area += sorted_[i].area;
        ++i;
      } while (i < end && sorted_[i].x == x);
      if (area != 0) {
        int a = coverage(cover * 512 - area);
        if (a) {
          // Adjacent edge pixels share one span backed by covers_.
          if (!spans_.empty() && spans_.back().covers && spans_.back().x + spans_.back().len == x) {
            spans_.back().len++;
          } else {
            spans_.push_back({x, 1, 0, covers_.data() + x});
          }
          covers_[size_t(x)] = uint8_t(a);
        }
        ++x;
      }
      int next = i < end ? sorted_[i].x : width_;
      if (next > x && cover != 0) {
        int a = coverage(cover * 512);
        if (a) spans_.push_back({x, next - x, a, nullptr});
      }
    }
    if (!spans_.empty()) sink(y, spans_.data(), spans_.size());
  }
}

}  // namespace movie::render::detail

#pragma once
// The drawing layer of the movie engine: paths, paints and an anti-aliased scanline
// rasterizer over a premultiplied 32-bit surface. It knows nothing of the file format.
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "movie/render/bend.h"
#include "movie/value/bitmap.h"
#include "movie/value/color.h"
#include "movie/value/color_transform.h"
#include "movie/value/gradient.h"
#include "movie/value/matrix.h"
#include "movie/value/stroke_style.h"

namespace movie::render {

// The shared value types, also under the drawing layer's own names.
using movie::Bitmap;
using movie::Cap;
using movie::Color;
using movie::ColorTransform;
using movie::Gradient;
using movie::GradientStop;
using movie::Interpolation;
using movie::Join;
using movie::Matrix;
using movie::Spread;
using movie::StrokeScaling;
using movie::StrokeStyle;

struct BitmapFill {
  std::shared_ptr<const Bitmap> bitmap;
  Matrix matrix;  // bitmap pixels -> path space
  bool repeat = true;
  bool smooth = true;  // bilinear sampling, honoured at AntiAlias::Full only
  // Null: none. Else matrix places the bitmap in the unbent plane and the path space is
  // the bent one: the bitmap stretches with the bend, piece by piece.
  std::shared_ptr<const Bend> bend;
};

using Paint = std::variant<Color, Gradient, BitmapFill>;

// Path in path space (the engine uses twips); subpaths need not be closed.
struct Path {
  enum Verb : uint8_t { MoveTo, LineTo, QuadTo };
  std::vector<Verb> verbs;
  std::vector<float> coords;  // x, y per point; QuadTo takes two points
  void moveTo(float x, float y);
  void lineTo(float x, float y);
  void quadTo(float cx, float cy, float x, float y);
  bool empty() const { return verbs.empty(); }
};

enum class FillRule { NonZero, EvenOdd };
// Pixel centres exactly on an edge belong to the shape right of or below it. Float
// rounding of the twip scale would break such ties either way, so the stage's device
// matrix moves everything up and left by this far-below-visible amount, which settles
// them consistently. Aliased edges round their points to grids; they do so as if the
// shift were not there, so that it decides exact ties only.
constexpr float kTieShift = 1.0f / 1024.0f;

// None: a pixel is in when its centre is; Medium: exact area of the outline snapped to a
// quarter-pixel grid; Full: exact area.
enum class AntiAlias { None, Medium, Full };

// A surface (or mask) asked for a negative size, a side over 32768 or more than 64M pixels
// is empty; drawing into an empty one does nothing.
class Surface {
 public:
  Surface() = default;
  Surface(int width, int height);
  void resize(int width, int height);
  void clear(Color c);
  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t* row(int y) { return pixels_.data() + size_t(y) * width_; }
  const uint32_t* row(int y) const { return pixels_.data() + size_t(y) * width_; }
  std::vector<uint32_t>& pixels() { return pixels_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
};

// 8-bit coverage, the size of a surface; masks nest by intersecting.
class Mask {
 public:
  Mask(int width, int height);
  void intersect(const Mask& other);
  uint8_t* row(int y) { return cover_.data() + size_t(y) * width_; }
  const uint8_t* row(int y) const { return cover_.data() + size_t(y) * width_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_, height_;
  std::vector<uint8_t> cover_;
};

// What a fill or stroke is composited with.
struct DrawState {
  Matrix toDevice;  // path space -> surface pixels
  ColorTransform colorTransform;
  AntiAlias antiAlias = AntiAlias::Full;
  const Mask* clip = nullptr;  // nullptr: no clip
};

void fillPath(Surface& target, const Path& path, const Paint& paint, FillRule rule, const DrawState& state);
void strokePath(Surface& target, const Path& path, const StrokeStyle& style, const Paint& paint, const DrawState& state);
// Adds the path's coverage to a mask (union within one mask).
void fillMask(Mask& mask, const Path& path, FillRule rule, const Matrix& toDevice, AntiAlias aa);
// Adds the stroke's outline to a mask, as strokePath would cover it.
void strokeMask(Mask& mask, const Path& path, const StrokeStyle& style, const Matrix& toDevice, AntiAlias aa);

}  // namespace movie::render

#pragma once
// The drawing layer of the movie engine: paths, paints and an anti-aliased scanline
// rasterizer over a premultiplied 32-bit surface. It knows nothing of the file format.
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

namespace movie::render {

// x' = a*x + c*y + tx, y' = b*x + d*y + ty (the movie file's scale, skew and translate).
struct Matrix {
  float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
  Matrix then(const Matrix& outer) const;  // this first, then outer
  Matrix inverted() const;                 // identity when singular
};

// Straight (non-premultiplied) colour.
struct Color {
  uint8_t r = 0, g = 0, b = 0, a = 255;
};

// result = clamp(channel * mul + add), with add in 0..255 units, alpha included.
struct ColorTransform {
  float rm = 1, gm = 1, bm = 1, am = 1;
  float ra = 0, ga = 0, ba = 0, aa = 0;
  ColorTransform then(const ColorTransform& outer) const;
  Color apply(Color c) const;
};

struct GradientStop {
  uint8_t ratio = 0;  // 0..255 along the gradient
  Color color;
};

enum class Spread { Pad, Reflect, Repeat };
enum class Interpolation { Normal, LinearRGB };

// Gradient space is the square -16384..16384 (twips of the gradient box); matrix maps it
// into path space. Linear runs along x; radial is the distance from the centre; focal
// moves the focus along x by focal * radius (-1..1).
struct Gradient {
  enum Kind { Linear, Radial, Focal } kind = Linear;
  std::vector<GradientStop> stops;  // 1..15, ratios ascending
  Spread spread = Spread::Pad;
  Interpolation interpolation = Interpolation::Normal;
  float focal = 0;
  Matrix matrix;
};

// Premultiplied 0xAARRGGBB pixels.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

struct BitmapFill {
  std::shared_ptr<const Bitmap> bitmap;
  Matrix matrix;  // bitmap pixels -> path space
  bool repeat = true;
  bool smooth = true;  // bilinear sampling, honoured at AntiAlias::Full only
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
// None: a pixel is in when its centre is; Medium: exact area of the outline snapped to a
// quarter-pixel grid; Full: exact area.
enum class AntiAlias { None, Medium, Full };

enum class Cap { Round, None, Square };
enum class Join { Round, Bevel, Miter };
enum class StrokeScaling { Normal, None, Horizontal, Vertical };

struct StrokeStyle {
  float width = 20;  // path units; drawn at least one device pixel wide
  Cap startCap = Cap::Round, endCap = Cap::Round;
  Join join = Join::Round;
  float miterLimit = 3;
  bool noClose = false;
  StrokeScaling scaling = StrokeScaling::Normal;
  // Device width = width times a scale of toDevice: Normal the mean of its x and y scale,
  // Horizontal the x scale, Vertical the y scale. None ignores toDevice and uses this
  // factor (device pixels per path unit; the default suits twips on an unzoomed stage).
  float unscaledPixelsPerUnit = 1.0f / 20;
};

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

}  // namespace movie::render

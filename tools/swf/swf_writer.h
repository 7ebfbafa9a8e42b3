#pragma once
// A small SWF writer for making test movies and the sample lessons. It knows the
// records the movie engine reads (header, shapes, bitmaps, sprites, display list
// tags) and packs them bit for bit; raw() writes any tag, valid or not, for tests of
// damaged input. Coordinates are in twips (1/20 pixel) unless a name says pixels.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace swf {

using Bytes = std::vector<uint8_t>;

// Tag codes used by the writer.
enum TagCode : uint16_t {
  kTagEnd = 0,
  kTagShowFrame = 1,
  kTagDefineShape = 2,
  kTagPlaceObject = 4,
  kTagRemoveObject = 5,
  kTagSetBackgroundColor = 9,
  kTagDefineBitsLossless = 20,
  kTagDefineShape2 = 22,
  kTagPlaceObject2 = 26,
  kTagRemoveObject2 = 28,
  kTagDefineShape3 = 32,
  kTagDefineBitsLossless2 = 36,
  kTagDefineSprite = 39,
  kTagFrameLabel = 43,
  kTagFileAttributes = 69,
  kTagPlaceObject3 = 70,
  kTagDefineShape4 = 83,
};

inline constexpr int32_t twips(double pixels) {
  return static_cast<int32_t>(pixels * 20.0 + (pixels < 0 ? -0.5 : 0.5));
}

// Bit-level output, most significant bit first, as SWF bit fields are stored.
class BitWriter {
 public:
  void writeUB(uint32_t value, int bits);   // unsigned field, 0..32 bits
  void writeSB(int32_t value, int bits);    // signed (two's complement) field
  void writeFB(double value, int bits);     // signed 16.16 fixed-point field
  void align();                             // pad with zero bits to a whole byte
  void writeU8(uint8_t v);                  // byte-aligned fields (align first)
  void writeU16(uint16_t v);                // little endian
  void writeU32(uint32_t v);
  void writeBytes(const Bytes& b);
  void writeString(const std::string& s);   // bytes then a terminating zero
  const Bytes& bytes();                     // aligns, then returns the buffer
  size_t size() const { return out_.size(); }

 private:
  Bytes out_;
  uint8_t pending_ = 0;
  int pendingBits_ = 0;
};

// Fewest bits that hold the value as an unsigned / signed field. Zero needs no bits;
// a positive signed value needs a sign bit too (1 -> 2 bits, -1 -> 1 bit).
int bitsForUnsigned(uint32_t value);
int bitsForSigned(int32_t value);
// Bits for a 16.16 fixed-point value stored as FB (same rule as signed).
int bitsForFixed(double value);

struct Rect {
  int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 255;
};
inline constexpr Rgba rgb(uint32_t rrggbb, uint8_t alpha = 255) {
  return Rgba{uint8_t(rrggbb >> 16), uint8_t(rrggbb >> 8), uint8_t(rrggbb), alpha};
}

// x' = scaleX*x + rotateSkew1*y + translateX ; y' = rotateSkew0*x + scaleY*y + translateY
struct Matrix {
  double scaleX = 1, scaleY = 1, rotateSkew0 = 0, rotateSkew1 = 0;
  int32_t translateX = 0, translateY = 0;

  static Matrix translate(int32_t x, int32_t y);
  // Scale, then rotate by degrees (clockwise on screen, y points down), then move.
  static Matrix transform(double scaleX, double scaleY, double degrees, int32_t x, int32_t y);
  // Maps the 32768-twip gradient square onto a box, rotated by degrees about its centre.
  static Matrix gradientBox(int32_t x, int32_t y, int32_t width, int32_t height,
                            double degrees = 0);
  // Maps bitmap pixels to twips: one pixel is `pixelSize` pixels on stage, origin at x, y.
  static Matrix bitmap(int32_t x, int32_t y, double pixelSize = 1.0);
};

// Multiply terms in 8.8 fixed point (256 = 1.0), add terms -255..255 (alpha included).
struct ColorTransform {
  int16_t multR = 256, multG = 256, multB = 256, multA = 256;
  int16_t addR = 0, addG = 0, addB = 0, addA = 0;
  static ColorTransform alpha(double opacity);  // only the alpha multiplier set
  bool hasMult() const;
  bool hasAdd() const;
};

// Encoders of the basic records (byte-aligned at both ends).
Bytes encodeRect(const Rect& r);
Bytes encodeMatrix(const Matrix& m);
Bytes encodeColorTransform(const ColorTransform& c, bool withAlpha = true);
// A tag: short header when the body is under 63 bytes unless forceLong.
Bytes encodeTag(uint16_t code, const Bytes& body, bool forceLong = false);

struct GradientStop {
  uint8_t ratio = 0;
  Rgba color;
};

struct FillStyle {
  enum Type : uint8_t {
    kSolid = 0x00,
    kLinear = 0x10,
    kRadial = 0x12,
    kFocalRadial = 0x13,    // DefineShape4 only
    kRepeatingBitmap = 0x40,
    kClippedBitmap = 0x41,
    kRepeatingBitmapHard = 0x42,  // not smoothed
    kClippedBitmapHard = 0x43,
  };
  Type type = kSolid;
  Rgba color;                       // solid
  Matrix matrix;                    // gradient or bitmap matrix
  std::vector<GradientStop> stops;  // gradients, 1..15 stops
  uint8_t spreadMode = 0;           // 0 pad, 1 reflect, 2 repeat
  uint8_t interpolationMode = 0;    // 0 normal RGB, 1 linear RGB
  double focalPoint = 0;            // focal radial, -1..1
  uint16_t bitmapId = 0;            // bitmap fills

  static FillStyle solid(Rgba c);
  static FillStyle linear(const Matrix& m, std::vector<GradientStop> stops);
  static FillStyle radial(const Matrix& m, std::vector<GradientStop> stops);
  static FillStyle focalRadial(const Matrix& m, std::vector<GradientStop> stops, double focal);
  static FillStyle bitmap(uint16_t id, const Matrix& m, bool clipped = false, bool smoothed = true);
};

struct LineStyle {
  uint16_t width = 20;  // twips
  Rgba color;
  // DefineShape4 extras (LINESTYLE2): caps 0 round, 1 none, 2 square; joins 0 round,
  // 1 bevel, 2 miter.
  uint8_t startCap = 0, endCap = 0, join = 0;
  double miterLimit = 3.0;
};

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

// One filter of a PlaceObject3 filter list, in the file's terms: sizes and distances
// in pixels (16.16), angles in radians, strength in 8.8.
struct FilterRecord {
  enum Kind : uint8_t { kDropShadow, kBlur, kGlow, kBevel, kGradientGlow, kConvolution, kColorMatrix, kGradientBevel };
  Kind kind = kBlur;
  double blurX = 0, blurY = 0;
  double angle = 0, distance = 0, strength = 1;
  int passes = 1;                   // quality
  Rgba color;                       // shadow and glow colour; a bevel's highlight
  Rgba shadowColor;                 // a bevel's shadow
  bool inner = false, knockout = false, compositeSource = true, onTop = false;
  std::vector<GradientStop> stops;  // gradient glow and gradient bevel
  std::vector<float> colorMatrix;   // 20 values: rows of red, green, blue, alpha
  uint8_t matrixX = 0, matrixY = 0; // convolution kernel columns and rows
  std::vector<float> kernel;
  float divisor = 1, bias = 0;
  Rgba defaultColor;
  bool clamp = true, preserveAlpha = false;
};
Bytes encodeFilters(const std::vector<FilterRecord>& filters);

// One display list placement (PlaceObject2 / PlaceObject3).
struct Place {
  uint16_t depth = 1;
  std::optional<uint16_t> characterId;  // absent: modify what the depth holds
  bool move = false;                     // modify (with or without a new character)
  std::optional<Matrix> matrix;
  std::optional<ColorTransform> colorTransform;
  std::optional<uint16_t> ratio;
  std::optional<std::string> name;
  std::optional<uint16_t> clipDepth;
  // PlaceObject3 only.
  std::optional<uint8_t> blendMode;  // 1 normal, 2 layer, 3 multiply, ...
  std::optional<bool> cacheAsBitmap;
  std::optional<bool> visible;
  std::vector<FilterRecord> filters;  // none: no filter list
};

// A sequence of tags: the body of a movie or of a sprite.
class TagList {
 public:
  void raw(uint16_t code, const Bytes& body, bool forceLong = false);
  void fileAttributes(bool useNetwork = true, bool actionScript3 = false);
  void setBackgroundColor(Rgba c);
  // version 1..4 selects DefineShape, DefineShape2, DefineShape3, DefineShape4; only
  // version 4 can ask for the non-zero winding rule.
  void defineShape(uint16_t id, const Shape& shape, int version = 3, bool nonZeroWinding = false);
  // Pixels are 0xAARRGGBB, width*height of them, rows top down. DefineBitsLossless
  // (format 5, alpha ignored) or DefineBitsLossless2 (alpha, stored premultiplied).
  void defineBitsLossless(uint16_t id, int width, int height, const std::vector<uint32_t>& argb);
  void defineBitsLossless2(uint16_t id, int width, int height, const std::vector<uint32_t>& argb);
  // Colour-mapped (format 3): palette of up to 256 entries, one index per pixel;
  // rows padded to 4 bytes. withAlpha selects DefineBitsLossless2 (RGBA palette).
  void defineBitsColormapped(uint16_t id, int width, int height,
                             const std::vector<uint32_t>& paletteArgb,
                             const std::vector<uint8_t>& indices, bool withAlpha);
  void defineSprite(uint16_t id, const TagList& sprite);  // frames = sprite.frameCount()
  void placeObject2(const Place& p);
  void placeObject3(const Place& p);
  void removeObject2(uint16_t depth);
  void frameLabel(const std::string& name, bool namedAnchor = false);
  void showFrame();
  void end();

  int frameCount() const { return frames_; }
  const Bytes& bytes() const { return out_; }

 private:
  Bytes out_;
  int frames_ = 0;
};

struct MovieHeader {
  uint8_t version = 10;
  Rect stage{0, twips(550), 0, twips(400)};
  double frameRate = 12;             // stored as 8.8 fixed point
  std::optional<uint16_t> frameCount;  // absent: the tags' ShowFrame count
  bool compressed = false;           // CWS (zlib) instead of FWS
};

// Header plus tags exactly as given (call tags.end() for a well-formed movie).
Bytes writeMovie(const MovieHeader& header, const TagList& tags);

// zlib helpers (also used to build CWS files by hand in tests).
Bytes zlibCompress(const Bytes& data);
// Inflates; nullopt on damaged data or when the result would exceed maxSize.
std::optional<Bytes> zlibDecompress(const Bytes& data, size_t maxSize);

}  // namespace swf

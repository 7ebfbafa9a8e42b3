#pragma once
// A tiny SWF reader for checking what the writer produced. It is written
// independently of the writer (reading, not packing) so the two check each other.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace swftest {

using Bytes = std::vector<uint8_t>;

class BitReader {
 public:
  BitReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit BitReader(const Bytes& b) : BitReader(b.data(), b.size()) {}
  uint32_t ub(int bits);
  int32_t sb(int bits);
  double fb(int bits) { return sb(bits) / 65536.0; }
  void align() {
    if (bit_ != 0) bit_ = 0, ++byte_;
  }
  uint8_t u8();
  uint16_t u16();
  uint32_t u32();
  std::string str();
  size_t pos() const { return byte_ + (bit_ ? 1 : 0); }
  bool overrun() const { return overrun_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t byte_ = 0;
  int bit_ = 0;
  bool overrun_ = false;
};

struct Rect { int32_t xMin, xMax, yMin, yMax; };
struct Matrix {
  double scaleX = 1, scaleY = 1, skew0 = 0, skew1 = 0;
  int32_t tx = 0, ty = 0;
};
struct Cxform {
  int32_t mult[4] = {256, 256, 256, 256};
  int32_t add[4] = {0, 0, 0, 0};
};

Rect readRect(BitReader& r);
Matrix readMatrix(BitReader& r);
Cxform readCxform(BitReader& r, bool alpha);

struct Tag {
  uint16_t code;
  bool longHeader;
  Bytes body;
};

// Splits a tag stream; stops after End or at the first tag that overruns.
std::vector<Tag> readTags(const uint8_t* data, size_t size, bool* clean = nullptr);

struct Movie {
  char signature[4] = {};
  uint8_t version = 0;
  uint32_t fileLength = 0;
  Bytes uncompressed;  // the whole file as FWS
  Rect stage{};
  uint16_t frameRate88 = 0;
  uint16_t frameCount = 0;
  std::vector<Tag> tags;
  bool tagsClean = false;
};
std::optional<Movie> readMovie(const Bytes& file);

// The outline of a DefineShape body: styles and paths as absolute points.
struct ShapeInfo {
  uint16_t id = 0;
  Rect bounds{};
  int fills = 0, lines = 0;
  std::vector<uint8_t> fillTypes;
  struct Path {
    int fill0 = 0, fill1 = 0, line = 0;
    std::vector<std::pair<int32_t, int32_t>> points;  // start, then each anchor
    int curves = 0;
  };
  std::vector<Path> paths;
  int32_t minX = 0, maxX = 0, minY = 0, maxY = 0;  // anchors and control points
  bool ended = false;  // saw the end record within the body
};
std::optional<ShapeInfo> readShape(const Tag& tag);

}  // namespace swftest

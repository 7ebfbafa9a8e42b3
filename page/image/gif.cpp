// GIF container: screen descriptor, colour tables, extensions and frames.
#include "page/image/gif.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace page {
namespace {

// Stored pixels of all frames of one image together (keeps a long animation of a big
// canvas from using unbounded memory).
constexpr size_t kMaxTotalPixels = 16u << 20;

class Reader {
 public:
  Reader(const uint8_t* d, size_t n) : d_(d), n_(n) {}
  bool has(size_t k) const { return n_ - p_ >= k; }
  uint8_t u8() { return has(1) ? d_[p_++] : 0; }
  uint16_t u16() { uint16_t lo = u8(); return uint16_t(lo | (u8() << 8)); }
  void skip(size_t k) { p_ += std::min(k, n_ - p_); }
  bool atEnd() const { return p_ >= n_; }
  const uint8_t* here() const { return d_ + p_; }
  // Joins data sub-blocks up to the zero-length terminator.
  std::vector<uint8_t> subBlocks() {
    std::vector<uint8_t> out;
    while (has(1)) {
      uint8_t len = u8();
      if (len == 0) break;
      size_t take = std::min<size_t>(len, n_ - p_);
      out.insert(out.end(), d_ + p_, d_ + p_ + take);
      p_ += take;
    }
    return out;
  }

 private:
  const uint8_t* d_;
  size_t n_;
  size_t p_ = 0;
};

uint32_t opaque(const uint8_t* rgb) { return 0xFF000000u | (uint32_t(rgb[0]) << 16) | (uint32_t(rgb[1]) << 8) | rgb[2]; }

// The canvas row of a frame's row-th stored row. Interlaced frames come in passes:
// every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
int frameRow(int row, int height, bool interlaced) {
  if (!interlaced) return row;
  int pass1 = (height + 7) / 8, pass2 = (height + 3) / 8, pass3 = (height + 1) / 4;
  if (row < pass1) return row * 8;
  if (row < pass1 + pass2) return (row - pass1) * 8 + 4;
  if (row < pass1 + pass2 + pass3) return (row - pass1 - pass2) * 4 + 2;
  return (row - pass1 - pass2 - pass3) * 2 + 1;
}

// A colour table of 2^(bits+1) entries, when the flags say one follows.
bool readColourTable(Reader& r, uint8_t flags, std::vector<uint8_t>& table) {
  if (!(flags & 0x80)) return true;
  size_t n = size_t(3) << ((flags & 7) + 1);
  if (!r.has(n)) return false;
  table.assign(r.here(), r.here() + n);
  r.skip(n);
  return true;
}

struct FrameRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// Composes the frames of one GIF onto a canvas of the logical screen's size.
class GifDecoder {
 public:
  GifDecoder(const uint8_t* data, size_t size) : r_(data, size) {}

  std::shared_ptr<Image> decode() {
    if (!readScreen()) return nullptr;
    while (!r_.atEnd() && int(image_->frames.size()) < kMaxGifFrames) {
      uint8_t block = r_.u8();
      if (block == 0x3B) break;  // trailer
      if (block == 0x21) {
        readExtension();
        continue;
      }
      if (block != 0x2C || !readFrame()) break;  // anything else: the rest is damaged
    }
    if (image_->frames.empty()) return nullptr;
    if (image_->frames.size() == 1) image_->frames[0].delayMs = 0;
    return image_;
  }

 private:
  bool readScreen() {
    r_.skip(6);
    width_ = r_.u16();
    height_ = r_.u16();
    uint8_t flags = r_.u8();
    r_.u8();  // background index: pages show the page through, as browsers do
    r_.u8();  // aspect
    if (width_ <= 0 || height_ <= 0 || int64_t(width_) * height_ > kMaxImagePixels) return false;
    if (!readColourTable(r_, flags, globalTable_)) return false;
    image_ = std::make_shared<Image>();
    image_->width = width_;
    image_->height = height_;
    canvas_.assign(size_t(width_) * height_, 0);
    return true;
  }

  void readExtension() {
    uint8_t label = r_.u8();
    std::vector<uint8_t> ext = r_.subBlocks();
    if (label == 0xF9 && ext.size() >= 4) {
      disposal_ = (ext[0] >> 2) & 7;
      transparent_ = (ext[0] & 1) ? ext[3] : -1;
      delayCs_ = ext[1] | (ext[2] << 8);
    } else if (label == 0xFF && ext.size() >= 14 && std::memcmp(ext.data(), "NETSCAPE2.0", 11) == 0 &&
               ext[11] == 1) {
      image_->loopCount = ext[12] | (ext[13] << 8);
    }
  }

  // One image descriptor and its pixels; false when the rest of the file cannot be used.
  bool readFrame() {
    FrameRect f{r_.u16(), r_.u16(), r_.u16(), r_.u16()};
    uint8_t flags = r_.u8();
    std::vector<uint8_t> localTable;
    if (!readColourTable(r_, flags, localTable)) return false;
    const std::vector<uint8_t>& table = localTable.empty() ? globalTable_ : localTable;
    int minCode = r_.u8();
    std::vector<uint8_t> lzw = r_.subBlocks();
    if (f.width <= 0 || f.height <= 0 || table.empty() || storedPixels_ + canvas_.size() > kMaxTotalPixels) return false;
    const size_t framePixels = size_t(f.width) * f.height;
    if (framePixels > size_t(kMaxImagePixels)) return false;
    indices_.assign(framePixels, 0);
    size_t got = decodeLzw(lzw.data(), lzw.size(), minCode, indices_.data(), framePixels);
    if (got == 0) return false;
    // A short stream leaves the rest of the frame transparent, as browsers show it.
    if (got < framePixels) std::fill(indices_.begin() + got, indices_.end(), uint8_t(transparent_ >= 0 ? transparent_ : 0));
    if (disposal_ == 3) saved_ = canvas_;
    paint(f, table, (flags & 0x40) != 0);
    ImageFrame frame;
    frame.pixels = canvas_;
    // Delays under 20 ms are shown at 100 ms, as browsers do for "as fast as possible".
    frame.delayMs = delayCs_ < 2 ? 100 : delayCs_ * 10;
    image_->frames.push_back(std::move(frame));
    storedPixels_ += canvas_.size();
    dispose(f);
    return true;
  }

  void paint(const FrameRect& f, const std::vector<uint8_t>& table, bool interlaced) {
    const int colours = int(table.size() / 3);
    for (int row = 0; row < f.height; ++row) {
      int cy = f.y + frameRow(row, f.height, interlaced);
      if (cy < 0 || cy >= height_) continue;
      for (int x = 0; x < f.width; ++x) {
        int cx = f.x + x;
        if (cx >= width_) break;
        int index = indices_[size_t(row) * f.width + x];
        if (index == transparent_ || index >= colours) continue;
        canvas_[size_t(cy) * width_ + cx] = opaque(&table[size_t(index) * 3]);
      }
    }
  }

  // Disposal prepares the canvas for the next frame; the control values apply to one frame.
  void dispose(const FrameRect& f) {
    if (disposal_ == 2) {
      for (int y = std::max(0, f.y); y < std::min(height_, f.y + f.height); ++y)
        for (int x = std::max(0, f.x); x < std::min(width_, f.x + f.width); ++x) canvas_[size_t(y) * width_ + x] = 0;
    } else if (disposal_ == 3 && !saved_.empty()) {
      canvas_ = saved_;
    }
    transparent_ = -1;
    delayCs_ = 0;
    disposal_ = 0;
  }

  Reader r_;
  int width_ = 0, height_ = 0;
  std::vector<uint8_t> globalTable_, indices_;
  std::shared_ptr<Image> image_;
  std::vector<uint32_t> canvas_, saved_;
  int transparent_ = -1, delayCs_ = 0, disposal_ = 0;
  size_t storedPixels_ = 0;
};

}  // namespace

std::shared_ptr<Image> decodeGif(const uint8_t* data, size_t size) {
  if (size < 13 || std::memcmp(data, "GIF8", 4) != 0) return nullptr;
  return GifDecoder(data, size).decode();
}

}  // namespace page

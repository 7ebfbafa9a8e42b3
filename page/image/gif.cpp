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

}  // namespace

std::shared_ptr<Image> decodeGif(const uint8_t* data, size_t size) {
  if (size < 13 || std::memcmp(data, "GIF8", 4) != 0) return nullptr;
  Reader r(data, size);
  r.skip(6);
  int width = r.u16(), height = r.u16();
  uint8_t flags = r.u8();
  r.u8();  // background index: pages show the page through, as browsers do
  r.u8();  // aspect
  if (width <= 0 || height <= 0 || int64_t(width) * height > kMaxImagePixels) return nullptr;
  std::vector<uint8_t> globalTable;
  if (flags & 0x80) {
    size_t n = size_t(3) << ((flags & 7) + 1);
    if (!r.has(n)) return nullptr;
    globalTable.assign(r.here(), r.here() + n);
    r.skip(n);
  }
  auto image = std::make_shared<Image>();
  image->width = width;
  image->height = height;
  const size_t canvasSize = size_t(width) * height;
  std::vector<uint32_t> canvas(canvasSize, 0), saved;
  int transparent = -1, delayCs = 0, disposal = 0;
  size_t storedPixels = 0;
  std::vector<uint8_t> indices;
  while (!r.atEnd() && int(image->frames.size()) < kMaxGifFrames) {
    uint8_t block = r.u8();
    if (block == 0x3B) break;  // trailer
    if (block == 0x21) {
      uint8_t label = r.u8();
      std::vector<uint8_t> ext = r.subBlocks();
      if (label == 0xF9 && ext.size() >= 4) {
        disposal = (ext[0] >> 2) & 7;
        transparent = (ext[0] & 1) ? ext[3] : -1;
        delayCs = ext[1] | (ext[2] << 8);
      } else if (label == 0xFF && ext.size() >= 14 && std::memcmp(ext.data(), "NETSCAPE2.0", 11) == 0 &&
                 ext[11] == 1) {
        image->loopCount = ext[12] | (ext[13] << 8);
      }
      continue;
    }
    if (block != 0x2C) break;  // anything else: the rest is damaged
    int fx = r.u16(), fy = r.u16(), fw = r.u16(), fh = r.u16();
    uint8_t fflags = r.u8();
    std::vector<uint8_t> localTable;
    if (fflags & 0x80) {
      size_t n = size_t(3) << ((fflags & 7) + 1);
      if (!r.has(n)) break;
      localTable.assign(r.here(), r.here() + n);
      r.skip(n);
    }
    const std::vector<uint8_t>& table = localTable.empty() ? globalTable : localTable;
    int minCode = r.u8();
    std::vector<uint8_t> lzw = r.subBlocks();
    if (fw <= 0 || fh <= 0 || table.empty() || storedPixels + canvasSize > kMaxTotalPixels) break;
    const size_t framePixels = size_t(fw) * fh;
    if (framePixels > size_t(kMaxImagePixels)) break;
    indices.assign(framePixels, 0);
    size_t got = decodeLzw(lzw.data(), lzw.size(), minCode, indices.data(), framePixels);
    if (got == 0) break;
    // A short stream leaves the rest of the frame transparent, as browsers show it.
    if (got < framePixels) std::fill(indices.begin() + got, indices.end(), uint8_t(transparent >= 0 ? transparent : 0));
    if (disposal == 3) saved = canvas;
    const bool interlaced = fflags & 0x40;
    const int colours = int(table.size() / 3);
    for (int row = 0; row < fh; ++row) {
      int y;
      if (!interlaced) {
        y = row;
      } else {  // passes: every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1
        int pass1 = (fh + 7) / 8, pass2 = (fh + 3) / 8, pass3 = (fh + 1) / 4;
        if (row < pass1) y = row * 8;
        else if (row < pass1 + pass2) y = (row - pass1) * 8 + 4;
        else if (row < pass1 + pass2 + pass3) y = (row - pass1 - pass2) * 4 + 2;
        else y = (row - pass1 - pass2 - pass3) * 2 + 1;
      }
      int cy = fy + y;
      if (cy < 0 || cy >= height) continue;
      for (int x = 0; x < fw; ++x) {
        int cx = fx + x;
        if (cx >= width) break;
        int index = indices[size_t(row) * fw + x];
        if (index == transparent || index >= colours) continue;
        canvas[size_t(cy) * width + cx] = opaque(&table[size_t(index) * 3]);
      }
    }
    ImageFrame frame;
    frame.pixels = canvas;
    // Delays under 20 ms are shown at 100 ms, as browsers do for "as fast as possible".
    frame.delayMs = delayCs < 2 ? 100 : delayCs * 10;
    image->frames.push_back(std::move(frame));
    storedPixels += canvasSize;
    // Disposal prepares the canvas for the next frame.
    if (disposal == 2) {
      for (int y = std::max(0, fy); y < std::min(height, fy + fh); ++y)
        for (int x = std::max(0, fx); x < std::min(width, fx + fw); ++x) canvas[size_t(y) * width + x] = 0;
    } else if (disposal == 3 && !saved.empty()) {
      canvas = saved;
    }
    transparent = -1;
    delayCs = 0;
    disposal = 0;
  }
  if (image->frames.empty()) return nullptr;
  if (image->frames.size() == 1) image->frames[0].delayMs = 0;
  return image;
}

}  // namespace page

// GIF89a encoding with literal-only LZW codes.
#include "tools/sample-content/gif_encoder.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace sample {

namespace {

// Codes are packed least significant bit first, then cut into blocks of 255 bytes.
class CodePacker {
 public:
  void put(uint32_t code, int bits) {
    acc_ |= code << fill_;
    fill_ += bits;
    while (fill_ >= 8) {
      bytes_.push_back(uint8_t(acc_));
      acc_ >>= 8;
      fill_ -= 8;
    }
  }
  std::vector<uint8_t> finish() {
    if (fill_ > 0) bytes_.push_back(uint8_t(acc_));
    acc_ = 0, fill_ = 0;
    return std::move(bytes_);
  }

 private:
  std::vector<uint8_t> bytes_;
  uint32_t acc_ = 0;
  int fill_ = 0;
};

void put16(std::vector<uint8_t>& out, int v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

int tableBits(size_t colours) {
  int bits = 1;
  while ((size_t(1) << bits) < colours) ++bits;
  return bits;
}

}  // namespace

std::vector<uint8_t> encodeGifPixels(const std::vector<uint8_t>& indices, int minCodeSize) {
  if (minCodeSize < 2 || minCodeSize > 8) throw std::invalid_argument("GIF code size 2 to 8");
  const uint32_t clear = 1u << minCodeSize, endOfInformation = clear + 1;
  const int codeBits = minCodeSize + 1;
  // The decoder adds a table entry for every code after the first that follows a
  // clear; clearing after clear - 2 literals keeps its code width at codeBits.
  const size_t run = clear - 2;
  CodePacker packer;
  size_t sinceClear = run;
  for (uint8_t index : indices) {
    if (index >= clear) throw std::invalid_argument("pixel index outside the colour table");
    if (sinceClear == run) {
      packer.put(clear, codeBits);
      sinceClear = 0;
    }
    packer.put(index, codeBits);
    ++sinceClear;
  }
  packer.put(endOfInformation, codeBits);
  const std::vector<uint8_t> data = packer.finish();

  std::vector<uint8_t> out{uint8_t(minCodeSize)};
  for (size_t at = 0; at < data.size(); at += 255) {
    const size_t n = std::min<size_t>(255, data.size() - at);
    out.push_back(uint8_t(n));
    out.insert(out.end(), data.begin() + at, data.begin() + at + n);
  }
  out.push_back(0);  // block terminator
  return out;
}

std::vector<uint8_t> encodeGif(const GifImage& image) {
  if (image.width <= 0 || image.height <= 0 || image.width > 0xFFFF || image.height > 0xFFFF)
    throw std::invalid_argument("GIF size out of range");
  if (image.palette.size() < 2 || image.palette.size() > 256)
    throw std::invalid_argument("GIF palette holds 2 to 256 colours");
  if (image.frames.empty()) throw std::invalid_argument("GIF needs a frame");
  const int bits = tableBits(image.palette.size());

  std::vector<uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
  put16(out, image.width);
  put16(out, image.height);
  out.push_back(uint8_t(0x80 | (bits - 1) << 4 | (bits - 1)));  // global table, its size
  out.push_back(0);  // background colour index
  out.push_back(0);  // square pixels
  for (size_t i = 0; i < (size_t(1) << bits); ++i) {
    const uint32_t c = i < image.palette.size() ? image.palette[i] : 0;
    out.push_back(uint8_t(c >> 16)), out.push_back(uint8_t(c >> 8)), out.push_back(uint8_t(c));
  }
  if (image.loopForever && image.frames.size() > 1) {
    const uint8_t app[] = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
                           3, 1, 0, 0, 0};  // loop count 0: forever
    out.insert(out.end(), std::begin(app), std::end(app));
  }
  for (const GifFrame& frame : image.frames) {
    if (frame.indices.size() != size_t(image.width) * size_t(image.height))
      throw std::invalid_argument("GIF frame size does not match the image");
    // Graphic control: restore to background between frames, delay, transparency.
    out.insert(out.end(), {0x21, 0xF9, 4});
    out.push_back(uint8_t(2 << 2 | (image.transparentIndex ? 1 : 0)));
    put16(out, frame.delayCentiseconds);
    out.push_back(image.transparentIndex.value_or(0));
    out.push_back(0);
    // Image descriptor: the whole canvas, no local table, not interlaced.
    out.push_back(0x2C);
    put16(out, 0), put16(out, 0), put16(out, image.width), put16(out, image.height);
    out.push_back(0);
    const std::vector<uint8_t> pixels = encodeGifPixels(frame.indices, std::max(2, bits));
    out.insert(out.end(), pixels.begin(), pixels.end());
  }
  out.push_back(0x3B);  // trailer
  return out;
}

}  // namespace sample

#include "movie/format/bitmap_parser.h"

#include <algorithm>

#include "movie/format/image_decode.h"
#include "movie/format/tag_codes.h"
#include "movie/io/bit_reader.h"
#include "movie/io/inflater.h"

namespace movie::format {
namespace {

// Movie JPEG data may hold an end-of-image and a new start-of-image marker before the
// frame (tables and image stored as two streams); decoders stop at the first end
// marker, so such pairs before the scan are dropped.
std::vector<uint8_t> cleanJpeg(const uint8_t* data, size_t size) {
  std::vector<uint8_t> out;
  out.reserve(size);
  size_t i = 0;
  // Some writers put an end marker ahead of the start marker.
  while (i + 3 < size && data[i] == 0xFF && data[i + 1] == 0xD9 && data[i + 2] == 0xFF && data[i + 3] == 0xD8) i += 2;
  if (i + 1 >= size || data[i] != 0xFF || data[i + 1] != 0xD8) return {data + i, data + size};
  out.push_back(0xFF);
  out.push_back(0xD8);
  i += 2;
  while (i + 1 < size) {
    if (data[i] != 0xFF) break;  // not a marker: copy the rest as it is
    uint8_t marker = data[i + 1];
    if (marker == 0xFF) {
      ++i;
      continue;
    }
    if (marker == 0xD9) {  // end before the scan: drop it and a following start
      i += 2;
      if (i + 1 < size && data[i] == 0xFF && data[i + 1] == 0xD8) i += 2;
      continue;
    }
    if (marker == 0xD8) {
      i += 2;
      continue;
    }
    if (marker == 0xDA) break;  // the scan: the entropy-coded rest is copied unchanged
    if (i + 3 >= size) break;
    size_t length = (size_t(data[i + 2]) << 8) | data[i + 3];
    size_t end = std::min(size, i + 2 + length);
    out.insert(out.end(), data + i, data + end);
    i = end;
  }
  out.insert(out.end(), data + std::min(i, size), data + size);
  return out;
}

std::shared_ptr<Bitmap> decodeJpegLike(const uint8_t* data, size_t size) {
  std::vector<uint8_t> clean = cleanJpeg(data, size);
  return decodeImage(clean.data(), clean.size());
}

bool isJpeg(const uint8_t* data, size_t size) {
  size_t i = 0;
  while (i + 3 < size && data[i] == 0xFF && data[i + 1] == 0xD9) i += 2;
  return i + 1 < size && data[i] == 0xFF && data[i + 1] == 0xD8;
}

void applyAlpha(Bitmap& bitmap, const uint8_t* zdata, size_t zsize) {
  size_t count = bitmap.pixels.size();
  std::vector<uint8_t> alpha;
  alpha.reserve(count);
  io::inflateAll(zdata, zsize, count, alpha);
  if (alpha.empty()) return;  // no plane: stays opaque
  for (size_t i = 0; i < count; ++i) {
    uint8_t a = i < alpha.size() ? alpha[i] : 255;
    // The JPEG's colours are stored already multiplied by this alpha; clamp damaged ones.
    uint32_t p = bitmap.pixels[i];
    auto channel = [a, p](int shift) { return std::min<uint32_t>((p >> shift) & 0xFF, a) << shift; };
    bitmap.pixels[i] = (uint32_t(a) << 24) | channel(16) | channel(8) | channel(0);
  }
}

// How a lossless bitmap's inflated data is laid out: a palette, then padded rows.
struct LosslessLayout {
  int format = 0;  // 3: palette indices, 4: 15-bit colours, 5: 32-bit pixels
  int width = 0, height = 0, paletteSize = 0;
  bool withAlpha = false;
  size_t entry = 3;  // bytes per palette entry
  size_t rowBytes = 0, paletteBytes = 0;
};

// False for an unknown pixel format.
bool measureLossless(LosslessLayout& l) {
  l.entry = l.withAlpha ? 4 : 3;
  if (l.format == 3) {
    l.rowBytes = (size_t(l.width) + 3) & ~size_t(3);
    l.paletteBytes = size_t(l.paletteSize) * l.entry;
  } else if (l.format == 4) {
    l.rowBytes = (size_t(l.width) * 2 + 3) & ~size_t(3);
  } else if (l.format == 5) {
    l.rowBytes = size_t(l.width) * 4;
  } else {
    return false;
  }
  return true;
}

// Lossless2 colours are stored premultiplied; damaged ones are clamped to their alpha.
uint32_t storedLosslessColor(bool withAlpha, uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  if (!withAlpha) return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
  r = std::min(r, a);
  g = std::min(g, a);
  b = std::min(b, a);
  return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

void decodeLosslessPixels(const LosslessLayout& l, const std::vector<uint8_t>& data, Bitmap& bitmap) {
  bool withAlpha = l.withAlpha;
  std::vector<uint32_t> palette(256, 0);
  for (int i = 0; i < l.paletteSize; ++i) {
    const uint8_t* p = data.data() + size_t(i) * l.entry;
    palette[size_t(i)] = storedLosslessColor(withAlpha, withAlpha ? p[3] : 255, p[0], p[1], p[2]);
  }
  auto expand = [](int c) { return uint8_t((c << 3) | (c >> 2)); };
  for (int y = 0; y < l.height; ++y) {
    const uint8_t* row = data.data() + l.paletteBytes + l.rowBytes * size_t(y);
    uint32_t* outRow = bitmap.pixels.data() + size_t(y) * l.width;
    for (int x = 0; x < l.width; ++x) {
      if (l.format == 3) {
        outRow[x] = palette[row[x]];
      } else if (l.format == 4) {
        uint16_t v = uint16_t((row[x * 2] << 8) | row[x * 2 + 1]);
        outRow[x] = storedLosslessColor(withAlpha, 255, expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31));
      } else {
        const uint8_t* p = row + x * 4;
        outRow[x] = storedLosslessColor(withAlpha, withAlpha ? p[0] : 255, p[1], p[2], p[3]);
      }
    }
  }
}

std::shared_ptr<Bitmap> parseLossless(bool withAlpha, const uint8_t* body, size_t size, std::string& error) {
  io::BitReader r(body, size);
  r.u16();  // id, read by the caller
  LosslessLayout l;
  l.withAlpha = withAlpha;
  l.format = r.u8();
  l.width = r.u16();
  l.height = r.u16();
  l.paletteSize = l.format == 3 ? r.u8() + 1 : 0;
  if (r.overrun()) {
    error = "A bitmap's header is truncated.";
    return nullptr;
  }
  if (l.width == 0 || l.height == 0) return std::make_shared<Bitmap>();
  if (int64_t(l.width) * l.height > kMaxBitmapPixels) {
    error = "A bitmap is too large.";
    return nullptr;
  }
  if (!measureLossless(l)) {
    error = "A bitmap has an unknown pixel format.";
    return nullptr;
  }
  size_t need = l.paletteBytes + l.rowBytes * size_t(l.height);
  // zlib cannot inflate more than about 1032 bytes per input byte: a tiny tag claiming
  // a huge picture is damage, refused before anything is allocated.
  if (need > r.remaining() * 1032 + 1024) {
    error = "A bitmap's data is too short for its size.";
    return nullptr;
  }
  std::vector<uint8_t> data;
  data.reserve(need);
  io::inflateAll(r.cursor(), r.remaining(), need, data);
  if (data.size() < need) data.resize(need, 0);  // short data: the rest reads as zero
  auto bitmap = std::make_shared<Bitmap>();
  bitmap->width = l.width;
  bitmap->height = l.height;
  bitmap->pixels.resize(size_t(l.width) * l.height);
  decodeLosslessPixels(l, data, *bitmap);
  return bitmap;
}

}  // namespace

std::shared_ptr<Bitmap> parseBitmap(uint16_t code, const uint8_t* body, size_t size,
                                            const std::vector<uint8_t>& jpegTables,
                                            uint16_t& id, std::string& error) {
  io::BitReader r(body, size);
  id = r.u16();
  if (r.overrun()) {
    error = "A bitmap tag is truncated.";
    return nullptr;
  }
  if (code == kDefineBitsLossless || code == kDefineBitsLossless2)
    return parseLossless(code == kDefineBitsLossless2, body, size, error);

  std::shared_ptr<Bitmap> bitmap;
  if (code == kDefineBits) {
    std::vector<uint8_t> joined(jpegTables);
    joined.insert(joined.end(), r.cursor(), r.cursor() + r.remaining());
    bitmap = decodeJpegLike(joined.data(), joined.size());
  } else if (code == kDefineBitsJPEG2) {
    bitmap = decodeJpegLike(r.cursor(), r.remaining());
  } else if (code == kDefineBitsJPEG3 || code == kDefineBitsJPEG4) {
    uint32_t alphaOffset = r.u32();
    if (code == kDefineBitsJPEG4) r.u16();  // deblocking strength
    if (r.overrun() || alphaOffset > r.remaining()) {
      error = "A bitmap's alpha plane lies outside its tag.";
      return nullptr;
    }
    const uint8_t* image = r.cursor();
    bitmap = decodeJpegLike(image, alphaOffset);
    // Only JPEG data carries the separate alpha plane; PNG and GIF have their own.
    if (bitmap && isJpeg(image, alphaOffset))
      applyAlpha(*bitmap, image + alphaOffset, r.remaining() - alphaOffset);
  }
  if (!bitmap) error = "A bitmap's image data cannot be decoded.";
  return bitmap;
}

}  // namespace movie::format

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

std::shared_ptr<Bitmap> parseLossless(bool withAlpha, const uint8_t* body, size_t size,
                                              std::string& error) {
  io::BitReader r(body, size);
  r.u16();  // id, read by the caller
  int format = r.u8();
  int width = r.u16();
  int height = r.u16();
  int paletteSize = format == 3 ? r.u8() + 1 : 0;
  if (r.overrun()) {
    error = "A bitmap's header is truncated.";
    return nullptr;
  }
  if (width == 0 || height == 0) {
    auto empty = std::make_shared<Bitmap>();
    return empty;
  }
  if (int64_t(width) * height > kMaxBitmapPixels) {
    error = "A bitmap is too large.";
    return nullptr;
  }
  size_t entry = withAlpha ? 4 : 3;
  size_t rowBytes;
  size_t paletteBytes = 0;
  if (format == 3) {
    rowBytes = (size_t(width) + 3) & ~size_t(3);
    paletteBytes = size_t(paletteSize) * entry;
  } else if (format == 4) {
    rowBytes = (size_t(width) * 2 + 3) & ~size_t(3);
  } else if (format == 5) {
    rowBytes = size_t(width) * 4;
  } else {
    error = "A bitmap has an unknown pixel format.";
    return nullptr;
  }
  size_t need = paletteBytes + rowBytes * size_t(height);
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
  bitmap->width = width;
  bitmap->height = height;
  bitmap->pixels.resize(size_t(width) * height);
  auto stored = [withAlpha](uint8_t a, uint8_t rr, uint8_t g, uint8_t b) {
    // Lossless2 colours are stored premultiplied; clamp damaged ones to their alpha.
    if (!withAlpha) return 0xFF000000u | (uint32_t(rr) << 16) | (uint32_t(g) << 8) | b;
    rr = std::min(rr, a);
    g = std::min(g, a);
    b = std::min(b, a);
    return (uint32_t(a) << 24) | (uint32_t(rr) << 16) | (uint32_t(g) << 8) | b;
  };
  std::vector<uint32_t> palette(256, 0);
  for (int i = 0; i < paletteSize; ++i) {
    const uint8_t* p = data.data() + size_t(i) * entry;
    palette[size_t(i)] = stored(withAlpha ? p[3] : 255, p[0], p[1], p[2]);
  }
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = data.data() + paletteBytes + rowBytes * size_t(y);
    uint32_t* outRow = bitmap->pixels.data() + size_t(y) * width;
    for (int x = 0; x < width; ++x) {
      if (format == 3) {
        outRow[x] = palette[row[x]];
      } else if (format == 4) {
        uint16_t v = uint16_t((row[x * 2] << 8) | row[x * 2 + 1]);
        auto expand = [](int c) { return uint8_t((c << 3) | (c >> 2)); };
        outRow[x] = stored(255, expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31));
      } else {
        const uint8_t* p = row + x * 4;
        outRow[x] = stored(withAlpha ? p[0] : 255, p[1], p[2], p[3]);
      }
    }
  }
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

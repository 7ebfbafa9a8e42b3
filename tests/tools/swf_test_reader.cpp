// Reading side of the SWF round-trip tests.
#include "swf_test_reader.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace swftest {

uint32_t BitReader::ub(int bits) {
  uint32_t v = 0;
  for (int i = 0; i < bits; ++i) {
    if (byte_ >= size_) {
      overrun_ = true;
      return v;
    }
    const int bit = (data_[byte_] >> (7 - bit_)) & 1;
    v = (v << 1) | uint32_t(bit);
    if (++bit_ == 8) bit_ = 0, ++byte_;
  }
  return v;
}

int32_t BitReader::sb(int bits) {
  if (bits == 0) return 0;
  const uint32_t v = ub(bits);
  if (bits < 32 && (v >> (bits - 1)) & 1) return int32_t(v | ~((1u << bits) - 1));
  return int32_t(v);
}

uint8_t BitReader::u8() {
  align();
  if (byte_ >= size_) {
    overrun_ = true;
    return 0;
  }
  return data_[byte_++];
}
uint16_t BitReader::u16() { return uint16_t(u8() | u8() << 8); }
uint32_t BitReader::u32() { return u16() | uint32_t(u16()) << 16; }
std::string BitReader::str() {
  std::string s;
  for (uint8_t c = u8(); c != 0 && !overrun_; c = u8()) s.push_back(char(c));
  return s;
}

Rect readRect(BitReader& r) {
  const int n = int(r.ub(5));
  Rect rc{};
  rc.xMin = r.sb(n), rc.xMax = r.sb(n), rc.yMin = r.sb(n), rc.yMax = r.sb(n);
  r.align();
  return rc;
}

Matrix readMatrix(BitReader& r) {
  Matrix m;
  if (r.ub(1)) {
    const int n = int(r.ub(5));
    m.scaleX = r.fb(n), m.scaleY = r.fb(n);
  }
  if (r.ub(1)) {
    const int n = int(r.ub(5));
    m.skew0 = r.fb(n), m.skew1 = r.fb(n);
  }
  const int n = int(r.ub(5));
  m.tx = r.sb(n), m.ty = r.sb(n);
  r.align();
  return m;
}

Cxform readCxform(BitReader& r, bool alpha) {
  Cxform c;
  const bool add = r.ub(1), mult = r.ub(1);
  const int n = int(r.ub(4)), terms = alpha ? 4 : 3;
  if (mult)
    for (int i = 0; i < terms; ++i) c.mult[i] = r.sb(n);
  if (add)
    for (int i = 0; i < terms; ++i) c.add[i] = r.sb(n);
  r.align();
  return c;
}

std::vector<Tag> readTags(const uint8_t* data, size_t size, bool* clean) {
  std::vector<Tag> tags;
  size_t at = 0;
  if (clean) *clean = false;
  while (at + 2 <= size) {
    const uint16_t head = uint16_t(data[at] | data[at + 1] << 8);
    at += 2;
    Tag t{uint16_t(head >> 6), false, {}};
    size_t length = head & 0x3F;
    if (length == 0x3F) {
      if (at + 4 > size) return tags;
      length = data[at] | data[at + 1] << 8 | data[at + 2] << 16 | size_t(data[at + 3]) << 24;
      at += 4;
      t.longHeader = true;
    }
    if (length > size - at) return tags;
    t.body.assign(data + at, data + at + length);
    at += length;
    tags.push_back(std::move(t));
    if (tags.back().code == 0) {
      if (clean) *clean = at == size;
      return tags;
    }
  }
  return tags;
}

std::optional<Movie> readMovie(const Bytes& file) {
  if (file.size() < 8) return std::nullopt;
  Movie m;
  std::memcpy(m.signature, file.data(), 3);
  m.version = file[3];
  m.fileLength = file[4] | file[5] << 8 | file[6] << 16 | uint32_t(file[7]) << 24;
  if (std::string(m.signature) == "FWS") {
    m.uncompressed = file;
  } else if (std::string(m.signature) == "CWS") {
    if (m.fileLength < 8 || m.fileLength > (64u << 20)) return std::nullopt;
    m.uncompressed.assign(file.begin(), file.begin() + 8);
    m.uncompressed[0] = 'F';
    m.uncompressed.resize(m.fileLength);
    uLongf outSize = m.fileLength - 8;
    if (uncompress(m.uncompressed.data() + 8, &outSize, file.data() + 8, uLong(file.size() - 8)) != Z_OK ||
        outSize != m.fileLength - 8)
      return std::nullopt;
  } else {
    return std::nullopt;
  }
  BitReader r(m.uncompressed.data() + 8, m.uncompressed.size() - 8);
  m.stage = readRect(r);
  m.frameRate88 = r.u16();
  m.frameCount = r.u16();
  if (r.overrun()) return std::nullopt;
  const size_t start = 8 + r.pos();
  m.tags = readTags(m.uncompressed.data() + start, m.uncompressed.size() - start, &m.tagsClean);
  return m;
}

namespace {

void skipFill(BitReader& r, int version, ShapeInfo& info) {
  const uint8_t type = r.u8();
  info.fillTypes.push_back(type);
  const int colour = version >= 3 ? 4 : 3;
  if (type == 0x00) {
    for (int i = 0; i < colour; ++i) r.u8();
  } else if (type == 0x10 || type == 0x12 || type == 0x13) {
    readMatrix(r);
    r.ub(4);
    const int stops = int(r.ub(4));
    for (int i = 0; i < stops; ++i)
      for (int k = 0; k < 1 + colour; ++k) r.u8();
    if (type == 0x13) r.u16();
  } else {
    r.u16();
    readMatrix(r);
  }
}

void skipLine(BitReader& r, int version) {
  r.u16();
  if (version < 4) {
    for (int i = 0; i < (version >= 3 ? 4 : 3); ++i) r.u8();
    return;
  }
  r.ub(2);
  const int join = int(r.ub(2));
  r.ub(12);
  if (join == 2) r.u16();
  for (int i = 0; i < 4; ++i) r.u8();
}

int styleCount(BitReader& r, int version) {
  int n = r.u8();
  if (n == 0xFF && version >= 2) n = r.u16();
  return n;
}

}  // namespace

std::optional<ShapeInfo> readShape(const Tag& tag) {
  int version = 0;
  switch (tag.code) {
    case 2: version = 1; break;
    case 22: version = 2; break;
    case 32: version = 3; break;
    case 83: version = 4; break;
    default: return std::nullopt;
  }
  BitReader r(tag.body);
  ShapeInfo info;
  info.id = r.u16();
  info.bounds = readRect(r);
  if (version == 4) {
    readRect(r);
    r.u8();
  }
  info.fills = styleCount(r, version);
  for (int i = 0; i < info.fills; ++i) skipFill(r, version, info);
  info.lines = styleCount(r, version);
  for (int i = 0; i < info.lines; ++i) skipLine(r, version);
  r.align();
  const int fillBits = int(r.ub(4)), lineBits = int(r.ub(4));
  int32_t x = 0, y = 0;
  int fill0 = 0, fill1 = 0, line = 0;
  bool firstPoint = true;
  auto touch = [&](int32_t px, int32_t py) {
    if (firstPoint) info.minX = info.maxX = px, info.minY = info.maxY = py, firstPoint = false;
    info.minX = std::min(info.minX, px), info.maxX = std::max(info.maxX, px);
    info.minY = std::min(info.minY, py), info.maxY = std::max(info.maxY, py);
  };
  auto startPath = [&]() { info.paths.push_back({fill0, fill1, line, {{x, y}}, 0}); };
  for (int guard = 0; guard < 100000 && !r.overrun(); ++guard) {
    if (r.ub(1) == 0) {
      const uint32_t flags = r.ub(5);
      if (flags == 0) {
        info.ended = !r.overrun();
        break;
      }
      if (flags & 0x10) return std::nullopt;  // new styles: not written by the writer
      if (flags & 0x01) {
        const int n = int(r.ub(5));
        x = r.sb(n), y = r.sb(n);
        touch(x, y);
      }
      if (flags & 0x02) fill0 = int(r.ub(fillBits));
      if (flags & 0x04) fill1 = int(r.ub(fillBits));
      if (flags & 0x08) line = int(r.ub(lineBits));
      startPath();
    } else if (r.ub(1) == 1) {
      const int n = int(r.ub(4)) + 2;
      if (r.ub(1)) {
        x += r.sb(n);
        y += r.sb(n);
      } else if (r.ub(1)) {
        y += r.sb(n);
      } else {
        x += r.sb(n);
      }
      if (info.paths.empty()) startPath();
      info.paths.back().points.emplace_back(x, y);
      touch(x, y);
    } else {
      const int n = int(r.ub(4)) + 2;
      const int32_t cx = x + r.sb(n), cy = y + r.sb(n);
      x = cx + r.sb(n), y = cy + r.sb(n);
      touch(cx, cy);
      touch(x, y);
      if (info.paths.empty()) startPath();
      info.paths.back().points.emplace_back(x, y);
      ++info.paths.back().curves;
    }
  }
  return info;
}

}  // namespace swftest

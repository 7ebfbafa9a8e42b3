// The file header (FWS or CWS) and the zlib helpers.
#include <zlib.h>

#include <cmath>
#include <stdexcept>

#include "tools/swf/swf_writer.h"

namespace swf {

Bytes writeMovie(const MovieHeader& header, const TagList& tags) {
  BitWriter body;
  body.writeBytes(encodeRect(header.stage));
  const long rate = std::lround(header.frameRate * 256.0);
  if (rate < 0 || rate > 0xFFFF) throw std::invalid_argument("frame rate out of range");
  body.writeU16(uint16_t(rate));  // 8.8 fixed point
  body.writeU16(header.frameCount ? *header.frameCount : uint16_t(tags.frameCount()));
  body.writeBytes(tags.bytes());
  const Bytes& rest = body.bytes();

  BitWriter file;
  file.writeU8(header.compressed ? 'C' : 'F');
  file.writeU8('W');
  file.writeU8('S');
  file.writeU8(header.version);
  file.writeU32(uint32_t(8 + rest.size()));  // length of the uncompressed file
  file.writeBytes(header.compressed ? zlibCompress(rest) : rest);
  return file.bytes();
}

Bytes zlibCompress(const Bytes& data) {
  uLongf size = compressBound(uLong(data.size()));
  Bytes out(size);
  if (compress2(out.data(), &size, data.data(), uLong(data.size()), Z_BEST_COMPRESSION) != Z_OK)
    throw std::runtime_error("zlib compression failed");
  out.resize(size);
  return out;
}

std::optional<Bytes> zlibDecompress(const Bytes& data, size_t maxSize) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return std::nullopt;
  Bytes out;
  uint8_t chunk[16384];
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = uInt(data.size());
  int rc = Z_OK;
  while (rc == Z_OK) {
    z.next_out = chunk;
    z.avail_out = sizeof chunk;
    rc = inflate(&z, Z_NO_FLUSH);
    if (rc != Z_OK && rc != Z_STREAM_END) break;
    out.insert(out.end(), chunk, chunk + (sizeof chunk - z.avail_out));
    if (out.size() > maxSize) rc = Z_MEM_ERROR;
    else if (rc == Z_OK && z.avail_in == 0 && z.avail_out != 0) rc = Z_DATA_ERROR;  // truncated
  }
  inflateEnd(&z);
  if (rc != Z_STREAM_END) return std::nullopt;
  return out;
}

}  // namespace swf

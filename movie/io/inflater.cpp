#include "movie/io/inflater.h"

#include <zlib.h>

namespace movie::io {

struct Inflater::Stream {
  z_stream z{};
  bool open = false;
};

Inflater::Inflater(size_t limit) : stream_(std::make_unique<Stream>()), limit_(limit) {
  if (inflateInit(&stream_->z) == Z_OK) {
    stream_->open = true;
  } else {
    status_ = Status::Error;
    error_ = "The decompressor could not start.";
  }
}

Inflater::~Inflater() {
  if (stream_->open) inflateEnd(&stream_->z);
}

Inflater::Status Inflater::feed(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
  if (status_ != Status::Ok) return status_;
  z_stream& z = stream_->z;
  uint8_t chunk[16384];
  while (size > 0) {
    // zlib counts in 32-bit units; hand it at most 1 MiB at a time.
    uInt take = uInt(size > (1u << 20) ? (1u << 20) : size);
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = take;
    do {
      z.next_out = chunk;
      z.avail_out = sizeof chunk;
      int rc = inflate(&z, Z_NO_FLUSH);
      size_t got = sizeof chunk - z.avail_out;
      if (produced_ + got > limit_) {
        status_ = Status::Error;
        overLimit_ = true;
        error_ = "The data inflates to more than its allowed size.";
        return status_;
      }
      out.insert(out.end(), chunk, chunk + got);
      produced_ += got;
      if (rc == Z_STREAM_END) {
        status_ = Status::Done;
        return status_;
      }
      if (rc == Z_BUF_ERROR && z.avail_in == 0) break;
      if (rc != Z_OK && rc != Z_BUF_ERROR) {
        status_ = Status::Error;
        error_ = "The compressed movie data is damaged.";
        return status_;
      }
    } while (z.avail_in > 0 || z.avail_out == 0);
    data += take;
    size -= take;
  }
  return status_;
}

bool inflateAll(const uint8_t* data, size_t size, size_t limit, std::vector<uint8_t>& out) {
  Inflater inflater(limit);
  return inflater.feed(data, size, out) == Inflater::Status::Done;
}

}  // namespace movie::io

#pragma once
// Incremental zlib inflation: compressed bytes go in with any split, the inflated bytes
// are appended to an output buffer that never grows beyond a fixed limit.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace movie::io {

class Inflater {
 public:
  enum class Status { Ok, Done, Error };
  explicit Inflater(size_t limit);
  ~Inflater();
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // Inflates what it can and appends it to out. Past the limit or on damaged data
  // the status turns Error (sticky) and error() says why.
  Status feed(const uint8_t* data, size_t size, std::vector<uint8_t>& out);
  Status status() const { return status_; }
  const std::string& error() const { return error_; }
  bool overLimit() const { return overLimit_; }

 private:
  struct Stream;
  std::unique_ptr<Stream> stream_;
  size_t limit_;
  size_t produced_ = 0;
  Status status_ = Status::Ok;
  bool overLimit_ = false;
  std::string error_;
};

// One-shot inflation of a whole zlib block; false when damaged or larger than limit.
bool inflateAll(const uint8_t* data, size_t size, size_t limit, std::vector<uint8_t>& out);

}  // namespace movie::io

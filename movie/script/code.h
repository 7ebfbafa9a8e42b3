#pragma once
// A stretch of action bytes: the buffer it lies in (shared with the functions defined
// inside it) and the range [begin, end) to run.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace movie::script {

struct CodeRange {
  std::shared_ptr<const std::vector<uint8_t>> bytes;
  size_t begin = 0;
  size_t end = 0;
  int version = 0;  // the movie version that wrote it

  static CodeRange of(std::vector<uint8_t> data, int version) {
    CodeRange r;
    r.end = data.size();
    r.bytes = std::make_shared<const std::vector<uint8_t>>(std::move(data));
    r.version = version;
    return r;
  }
};

}  // namespace movie::script

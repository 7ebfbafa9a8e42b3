#pragma once
// The movie file: header and tags, and the zlib helpers.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "tools/swf/tag_list.h"

namespace swf {

struct MovieHeader {
  uint8_t version = 10;
  Rect stage{0, twips(550), 0, twips(400)};
  double frameRate = 12;             // stored as 8.8 fixed point
  std::optional<uint16_t> frameCount;  // absent: the tags' ShowFrame count
  bool compressed = false;           // CWS (zlib) instead of FWS
};

// Header plus tags exactly as given (call tags.end() for a well-formed movie).
Bytes writeMovie(const MovieHeader& header, const TagList& tags);

// zlib helpers (also used to build CWS files by hand in tests).
Bytes zlibCompress(const Bytes& data);
// Inflates; nullopt on damaged data or when the result would exceed maxSize.
std::optional<Bytes> zlibDecompress(const Bytes& data, size_t maxSize);

}  // namespace swf

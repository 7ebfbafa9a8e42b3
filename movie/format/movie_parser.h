#pragma once
// Reads a movie file as its bytes arrive: the container (plain or zlib, inflated
// incrementally), the header, then each tag once it is whole. Frames become visible in
// the definition as soon as their ShowFrame tag has been read.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "movie/format/movie_build.h"
#include "movie/format/movie_def.h"

namespace movie::io {
class Inflater;
}

namespace movie::format {

constexpr size_t kMaxMovieBytes = size_t(64) << 20;

class MovieParser {
 public:
  enum class State { Header, Tags, Done, Failed };
  MovieParser();
  ~MovieParser();

  void append(const uint8_t* data, size_t size);
  void finish();  // no more bytes: a movie without its end fails as truncated
  State state() const { return state_; }
  bool headerKnown() const { return headerParsed_; }
  const std::string& error() const { return build_.error(); }
  const std::vector<std::string>& warnings() const { return build_.warnings(); }
  const MovieDef& movie() const { return build_.movie(); }
  // An imported character, bound to an id of this movie and named by the name it was
  // imported by (unless this movie exports another by that name).
  void bindImported(uint16_t id, const Character& c, const std::string& name) {
    build_.movie().characters[id] = c;
    build_.movie().exports.emplace(name, id);
  }
  size_t bytesIn() const { return bytesIn_; }

 private:
  void fail(const std::string& message);
  bool readFileHeader();
  void addBody(const uint8_t* data, size_t size);
  void parse();
  bool parseHeader();
  void readTags();

  State state_ = State::Header;
  MovieBuild build_;
  std::vector<uint8_t> prefix_;  // the 8-byte file header as it arrives
  std::vector<uint8_t> body_;    // the file after its 8-byte header, inflated
  size_t bodyLimit_ = 0;
  size_t pos_ = 0;
  size_t bytesIn_ = 0;
  bool headerParsed_ = false;
  Frame pending_;  // the main timeline's tags since its last ShowFrame
  std::unique_ptr<io::Inflater> inflater_;
};

}  // namespace movie::format

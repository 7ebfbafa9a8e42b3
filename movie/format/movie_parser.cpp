#include "movie/format/movie_parser.h"

#include <algorithm>

#include "movie/format/tag_header.h"
#include "movie/format/tag_table.h"
#include "movie/io/bit_reader.h"
#include "movie/io/inflater.h"

namespace movie::format {

int Timeline::findLabel(const std::string& label) const {
  for (size_t i = 0; i < frames.size(); ++i)
    if (frames[i].label == label) return int(i);
  return -1;
}

MovieParser::MovieParser() = default;
MovieParser::~MovieParser() = default;

void MovieParser::fail(const std::string& message) {
  build_.fail(message);
  state_ = State::Failed;
}

void MovieParser::append(const uint8_t* data, size_t size) {
  if (state_ == State::Failed || state_ == State::Done || size == 0) return;
  bytesIn_ += size;
  while (prefix_.size() < 8 && size > 0) {
    prefix_.push_back(*data++);
    --size;
  }
  if (prefix_.size() < 8) return;
  if (!inflater_ && body_.empty() && bodyLimit_ == 0 && !readFileHeader()) return;
  addBody(data, size);
}

// The 8-byte file header, the first time it is all here: signature, version, length.
bool MovieParser::readFileHeader() {
  MovieDef& movie = build_.movie();
  if (prefix_[1] != 'W' || prefix_[2] != 'S') return fail("This is not a movie file."), false;
  if (prefix_[0] == 'Z') return fail("LZMA-compressed movies are not supported."), false;
  if (prefix_[0] != 'F' && prefix_[0] != 'C') return fail("This is not a movie file."), false;
  movie.compressed = prefix_[0] == 'C';
  movie.version = prefix_[3];
  movie.fileLength = uint32_t(prefix_[4]) | (uint32_t(prefix_[5]) << 8) | (uint32_t(prefix_[6]) << 16) |
                     (uint32_t(prefix_[7]) << 24);
  if (movie.fileLength > kMaxMovieBytes) return fail("The movie is too large."), false;
  if (movie.fileLength < 8 + 5) return fail("The movie's header is damaged."), false;
  bodyLimit_ = movie.fileLength - 8;
  if (movie.compressed) inflater_ = std::make_unique<io::Inflater>(bodyLimit_);
  return true;
}

void MovieParser::addBody(const uint8_t* data, size_t size) {
  if (size == 0) return;
  if (inflater_) {
    if (inflater_->status() == io::Inflater::Status::Done) return;  // trailing bytes
    if (inflater_->feed(data, size, body_) == io::Inflater::Status::Error) {
      // Over the limit is the header's length lying; anything else is damage.
      return fail(inflater_->overLimit() ? "The movie is larger than its header says." : inflater_->error());
    }
  } else {
    size_t take = std::min(size, bodyLimit_ - std::min(bodyLimit_, body_.size()));
    body_.insert(body_.end(), data, data + take);  // bytes past the stated length are ignored
  }
  parse();
}

void MovieParser::finish() {
  if (state_ == State::Failed || state_ == State::Done) return;
  if (!headerParsed_ || prefix_.size() < 8) return fail("The movie file is truncated.");
  // A movie whose frames all arrived but whose end tag is missing still plays.
  const MovieDef& movie = build_.movie();
  if (pending_.tags.empty() && movie.root.frames.size() >= size_t(std::max(1, movie.frameCount))) {
    state_ = State::Done;
    return;
  }
  fail("The movie file is truncated.");
}

bool MovieParser::parseHeader() {
  if (body_.empty()) return false;
  int bits = body_[0] >> 3;
  size_t rectBytes = (5 + size_t(bits) * 4 + 7) / 8;
  if (body_.size() < rectBytes + 4) return false;
  io::BitReader r(body_.data(), body_.size());
  MovieDef& movie = build_.movie();
  movie.stage = readRect(r);
  uint16_t rate = r.u16();
  movie.frameRate = float(rate) / 256.0f;
  movie.frameCount = r.u16();
  pos_ = r.position();
  headerParsed_ = true;
  state_ = State::Tags;
  movie.root.declaredFrames = movie.frameCount;
  return true;
}

void MovieParser::parse() {
  if (!headerParsed_ && !parseHeader()) {
    if (body_.size() >= bodyLimit_) fail("The movie's header is damaged.");
    return;
  }
  readTags();
  if (state_ == State::Tags && body_.size() >= bodyLimit_ && pos_ >= bodyLimit_) {
    // Every byte the header promised is here and no end tag came.
    finish();
  }
}

// Every whole tag that has arrived, on the main timeline.
void MovieParser::readTags() {
  while (state_ == State::Tags) {
    TagHeader header;
    size_t avail = body_.size() - pos_;
    if (!readTagHeader(body_.data() + pos_, avail, header)) break;
    if (pos_ + header.headerSize + header.length > bodyLimit_) return fail("A tag runs past the end of the movie.");
    if (avail < header.headerSize + header.length) break;  // wait for the rest of the tag
    Tag tag{header.code, body_.data() + pos_ + header.headerSize, header.length};
    pos_ += header.headerSize + header.length;
    TagContext context{build_, build_.movie().root, pending_, false};
    dispatchTag(tag, context);
    if (build_.failed()) state_ = State::Failed;
    else if (context.ended) state_ = State::Done;
  }
}

}  // namespace movie::format

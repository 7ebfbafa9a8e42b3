#include "movie/format/movie_parser.h"

#include <algorithm>

#include "movie/format/bitmap_parser.h"
#include "movie/format/place_parser.h"
#include "movie/format/shape_parser.h"
#include "movie/format/sound_tags.h"
#include "movie/format/tag_codes.h"
#include "movie/io/bit_reader.h"
#include "movie/io/inflater.h"

namespace movie::format {
namespace {

constexpr size_t kMaxFramesPerTimeline = 100'000;
constexpr size_t kMaxTagsPerFrame = 100'000;
constexpr size_t kMaxWarnings = 32;
// Whole-movie budgets: a small file can describe huge work, so decoded sizes are capped.
constexpr size_t kMaxControlTags = 500'000;
constexpr size_t kMaxEdges = 4'000'000;
constexpr size_t kMaxBitmapPixels = size_t(64) << 20;

}  // namespace

int Timeline::findLabel(const std::string& label) const {
  for (size_t i = 0; i < frames.size(); ++i)
    if (frames[i].label == label) return int(i);
  return -1;
}

MovieParser::MovieParser() = default;
MovieParser::~MovieParser() = default;

void MovieParser::fail(const std::string& message) {
  if (state_ == State::Failed) return;
  state_ = State::Failed;
  error_ = message;
}

void MovieParser::append(const uint8_t* data, size_t size) {
  if (state_ == State::Failed || state_ == State::Done || size == 0) return;
  bytesIn_ += size;
  while (prefix_.size() < 8 && size > 0) {
    prefix_.push_back(*data++);
    --size;
  }
  if (prefix_.size() < 8) return;
  if (!inflater_ && body_.empty() && bodyLimit_ == 0) {
    // First time the whole file header is here.
    if (prefix_[1] != 'W' || prefix_[2] != 'S') return fail("This is not a movie file.");
    if (prefix_[0] == 'Z') return fail("LZMA-compressed movies are not supported.");
    if (prefix_[0] != 'F' && prefix_[0] != 'C') return fail("This is not a movie file.");
    movie_.compressed = prefix_[0] == 'C';
    movie_.version = prefix_[3];
    movie_.fileLength = uint32_t(prefix_[4]) | (uint32_t(prefix_[5]) << 8) |
                        (uint32_t(prefix_[6]) << 16) | (uint32_t(prefix_[7]) << 24);
    if (movie_.fileLength > kMaxMovieBytes) return fail("The movie is too large.");
    if (movie_.fileLength < 8 + 5) return fail("The movie's header is damaged.");
    bodyLimit_ = movie_.fileLength - 8;
    if (movie_.compressed) inflater_ = std::make_unique<io::Inflater>(bodyLimit_);
  }
  addBody(data, size);
}

void MovieParser::addBody(const uint8_t* data, size_t size) {
  if (size == 0) return;
  if (inflater_) {
    if (inflater_->status() == io::Inflater::Status::Done) return;  // trailing bytes
    if (inflater_->feed(data, size, body_) == io::Inflater::Status::Error) {
      // Over the limit is the header's length lying; anything else is damage.
      return fail(inflater_->overLimit() ? "The movie is larger than its header says."
                                             : inflater_->error());
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
  if (pending_.tags.empty() && movie_.root.frames.size() >= size_t(std::max(1, movie_.frameCount))) {
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
  movie_.stage = readRect(r);
  uint16_t rate = r.u16();
  movie_.frameRate = float(rate) / 256.0f;
  movie_.frameCount = r.u16();
  pos_ = r.position();
  headerParsed_ = true;
  state_ = State::Tags;
  movie_.root.declaredFrames = movie_.frameCount;
  return true;
}

void MovieParser::parse() {
  if (!headerParsed_ && !parseHeader()) {
    if (body_.size() >= bodyLimit_) fail("The movie's header is damaged.");
    return;
  }
  while (state_ == State::Tags) {
    size_t avail = body_.size() - pos_;
    if (avail < 2) break;
    uint16_t head = uint16_t(body_[pos_] | (body_[pos_ + 1] << 8));
    uint16_t code = head >> 6;
    size_t length = head & 0x3F;
    size_t headerSize = 2;
    if (length == 0x3F) {
      if (avail < 6) break;
      length = size_t(body_[pos_ + 2]) | (size_t(body_[pos_ + 3]) << 8) |
               (size_t(body_[pos_ + 4]) << 16) | (size_t(body_[pos_ + 5]) << 24);
      headerSize = 6;
    }
    if (pos_ + headerSize + length > bodyLimit_) {
      fail("A tag runs past the end of the movie.");
      break;
    }
    if (avail < headerSize + length) break;  // wait for the rest of the tag
    const uint8_t* tagBody = body_.data() + pos_ + headerSize;
    pos_ += headerSize + length;
    handleTag(code, tagBody, length, movie_.root, pending_, false);
  }
  if (state_ == State::Tags && body_.size() >= bodyLimit_ && pos_ >= bodyLimit_) {
    // Every byte the header promised is here and no end tag came.
    finish();
  }
}

void MovieParser::addCharacter(uint16_t id, Character c) {
  // The first definition of an id wins, as later ones would break earlier placements.
  movie_.characters.emplace(id, std::move(c));
}

void MovieParser::handleTag(uint16_t code, const uint8_t* body, size_t size, Timeline& timeline,
                            Frame& pending, bool inSprite) {
  std::string why;
  auto warn = [this](const std::string& w) {
    if (warnings_.size() < kMaxWarnings) warnings_.push_back(w);
  };
  if (pending.tags.size() > kMaxTagsPerFrame) {
    if (!inSprite) fail("A frame holds too many tags.");
    return;
  }
  switch (code) {
    case kEnd:
      if (!pending.tags.empty() || !pending.actions.empty() || !pending.label.empty()) {
        // Tags after the last ShowFrame form no frame; keep them as one so they show.
        if (timeline.frames.size() < kMaxFramesPerTimeline) timeline.frames.push_back(std::move(pending));
        pending = Frame{};
      }
      if (!inSprite) state_ = State::Done;
      return;
    case kShowFrame:
      if (timeline.frames.size() >= kMaxFramesPerTimeline) {
        if (!inSprite) fail("The movie has too many frames.");
        return;
      }
      timeline.frames.push_back(std::move(pending));
      pending = Frame{};
      return;
    case kPlaceObject:
    case kPlaceObject2:
    case kPlaceObject3: {
      PlaceTag place;
      if (++controlTags_ > kMaxControlTags) return fail("The movie has too many display list tags.");
      if (parsePlace(code, body, size, movie_.version, place, why))
        pending.tags.push_back(std::move(place));
      else
        warn(why);
      return;
    }
    case kRemoveObject:
    case kRemoveObject2: {
      RemoveTag remove;
      if (++controlTags_ > kMaxControlTags) return fail("The movie has too many display list tags.");
      if (parseRemove(code, body, size, remove, why))
        pending.tags.push_back(remove);
      else
        warn(why);
      return;
    }
    case kFrameLabel: {
      io::BitReader r(body, size);
      pending.label = r.string();
      return;
    }
    case kDoAction:
      pending.actions.emplace_back(body, body + size);
      return;
    case kStartSound:
    case kStartSound2: {
      io::BitReader r(body, size);
      SoundRef s;
      s.soundId = code == kStartSound ? r.u16() : 0;
      s.info.assign(r.cursor(), r.cursor() + r.remaining());
      pending.sounds.push_back(std::move(s));
      return;
    }
    case kSoundStreamHead:
    case kSoundStreamHead2:
    case kSoundStreamBlock:
      if (!readStreamTag(code, body, size, timeline, pending, why)) warn(why);
      return;
    default:
      break;
  }
  if (inSprite) return;  // sprites hold only control tags; the rest is skipped

  switch (code) {
    case kSetBackgroundColor: {
      io::BitReader r(body, size);
      movie_.background = readRgb(r);
      movie_.hasBackground = !r.overrun();
      return;
    }
    case kDefineShape:
    case kDefineShape2:
    case kDefineShape3:
    case kDefineShape4: {
      int version = code == kDefineShape ? 1 : code == kDefineShape2 ? 2 : code == kDefineShape3 ? 3 : 4;
      auto shape = std::make_shared<ShapeDef>();
      auto lookup = [this](uint16_t id) -> std::shared_ptr<const render::Bitmap> {
        auto it = movie_.characters.find(id);
        return it != movie_.characters.end() && it->second.kind == Character::Bitmap ? it->second.bitmap : nullptr;
      };
      if (parseShape(body, size, version, lookup, *shape, why)) {
        edges_ += shape->outline.edges.size();
        if (edges_ > kMaxEdges) return fail("The movie's shapes are too complex.");
        Character c;
        c.kind = Character::Shape;
        c.shape = shape;
        addCharacter(shape->id, std::move(c));
      } else {
        warn(why);
      }
      return;
    }
    case kDefineMorphShape:
    case kDefineMorphShape2: {
      auto morph = std::make_shared<MorphShapeDef>();
      auto lookup = [this](uint16_t id) -> std::shared_ptr<const render::Bitmap> {
        auto it = movie_.characters.find(id);
        return it != movie_.characters.end() && it->second.kind == Character::Bitmap ? it->second.bitmap : nullptr;
      };
      if (parseMorphShape(body, size, code == kDefineMorphShape ? 1 : 2, lookup, *morph, why)) {
        edges_ += morph->start.edges.size() + morph->endEdges.size();
        if (edges_ > kMaxEdges) return fail("The movie's shapes are too complex.");
        Character c;
        c.kind = Character::MorphShape;
        c.morph = morph;
        addCharacter(morph->id, std::move(c));
      } else {
        warn(why);
      }
      return;
    }
    case kJPEGTables:
      movie_.jpegTables.assign(body, body + size);
      return;
    case kDefineBits:
    case kDefineBitsJPEG2:
    case kDefineBitsJPEG3:
    case kDefineBitsJPEG4:
    case kDefineBitsLossless:
    case kDefineBitsLossless2: {
      uint16_t id = 0;
      auto bitmap = parseBitmap(code, body, size, movie_.jpegTables, id, why);
      if (bitmap) {
        bitmapPixels_ += bitmap->pixels.size();
        if (bitmapPixels_ > kMaxBitmapPixels) return fail("The movie's pictures are too large.");
        Character c;
        c.kind = Character::Bitmap;
        c.bitmap = bitmap;
        addCharacter(id, std::move(c));
      } else {
        warn(why);
      }
      return;
    }
    case kDefineSprite:
      defineSprite(body, size);
      return;
    case kDefineSound: {
      uint16_t id = 0;
      Character c;
      if (readDefineSound(body, size, id, c, why))
        addCharacter(id, std::move(c));
      else
        warn(why);
      return;
    }
    case kDoInitAction: {
      io::BitReader r(body, size);
      InitAction a;
      a.spriteId = r.u16();
      a.actions.assign(r.cursor(), r.cursor() + r.remaining());
      movie_.initActions.push_back(std::move(a));
      return;
    }
    case kFileAttributes: {
      io::BitReader r(body, size);
      movie_.fileAttributes = r.u32();
      return;
    }
    case kMetadata: {
      io::BitReader r(body, size);
      movie_.metadata = r.string();
      return;
    }
    case kProtect:
      movie_.isProtected = true;
      return;
    case kExportAssets: {
      io::BitReader r(body, size);
      int count = r.u16();
      for (int i = 0; i < count && !r.overrun(); ++i) {
        uint16_t id = r.u16();
        std::string name = r.string();
        if (!r.overrun()) movie_.exports[name] = id;
      }
      return;
    }
    case kScriptLimits: {
      io::BitReader r(body, size);
      movie_.maxRecursion = r.u16();
      movie_.scriptTimeout = r.u16();
      return;
    }
    default:
      return;  // every other tag is skipped by its length
  }
}

void MovieParser::defineSprite(const uint8_t* body, size_t size) {
  io::BitReader r(body, size);
  auto sprite = std::make_shared<SpriteDef>();
  sprite->id = r.u16();
  sprite->timeline.declaredFrames = r.u16();
  if (r.overrun()) {
    if (warnings_.size() < kMaxWarnings) warnings_.push_back("A sprite tag is truncated.");
    return;
  }
  Frame pending;
  size_t pos = r.position();
  bool ended = false;
  while (pos + 2 <= size && !ended) {
    uint16_t head = uint16_t(body[pos] | (body[pos + 1] << 8));
    uint16_t code = head >> 6;
    size_t length = head & 0x3F;
    pos += 2;
    if (length == 0x3F) {
      if (pos + 4 > size) break;
      length = size_t(body[pos]) | (size_t(body[pos + 1]) << 8) | (size_t(body[pos + 2]) << 16) |
               (size_t(body[pos + 3]) << 24);
      pos += 4;
    }
    if (length > size - pos) break;  // damaged: keep what was read
    if (code == kEnd) ended = true;
    handleTag(code, body + pos, length, sprite->timeline, pending, true);
    pos += length;
  }
  if (!ended && (!pending.tags.empty() || !pending.label.empty()))
    sprite->timeline.frames.push_back(std::move(pending));
  Character c;
  c.kind = Character::Sprite;
  c.sprite = sprite;
  addCharacter(sprite->id, std::move(c));
}

}  // namespace movie::format

#include "movie/format/movie_build.h"

namespace movie::format {
namespace {

constexpr size_t kMaxWarnings = 32;
constexpr size_t kMaxControlTags = 500'000;
constexpr size_t kMaxMovieEdges = 4'000'000;
constexpr size_t kMaxMoviePixels = size_t(64) << 20;

}  // namespace

void MovieBuild::warn(const std::string& message) {
  if (warnings_.size() < kMaxWarnings) warnings_.push_back(message);
}

void MovieBuild::fail(const std::string& message) {
  if (failed_) return;
  failed_ = true;
  error_ = message;
}

bool MovieBuild::countControlTag() {
  if (++controlTags_ <= kMaxControlTags) return true;
  fail("The movie has too many display list tags.");
  return false;
}

bool MovieBuild::addEdges(size_t count) {
  edges_ += count;
  if (edges_ <= kMaxMovieEdges) return true;
  fail("The movie's shapes are too complex.");
  return false;
}

bool MovieBuild::addBitmapPixels(size_t count) {
  bitmapPixels_ += count;
  if (bitmapPixels_ <= kMaxMoviePixels) return true;
  fail("The movie's pictures are too large.");
  return false;
}

void MovieBuild::addCharacter(uint16_t id, Character c) { movie_.characters.emplace(id, std::move(c)); }

std::shared_ptr<const Bitmap> MovieBuild::bitmap(uint16_t id) const {
  auto it = movie_.characters.find(id);
  return it != movie_.characters.end() && it->second.kind == Character::Bitmap ? it->second.bitmap : nullptr;
}

}  // namespace movie::format

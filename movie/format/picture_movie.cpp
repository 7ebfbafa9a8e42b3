#include "movie/format/picture_movie.h"

#include <cstring>

#include "movie/format/image_decode.h"

namespace movie::format {
namespace {

bool startsWith(const uint8_t* data, size_t size, const char* magic, size_t n) {
  return size >= n && std::memcmp(data, magic, n) == 0;
}

constexpr uint16_t kPictureId = 1;

}  // namespace

bool looksLikeMovie(const uint8_t* data, size_t size) {
  if (!data || size < 3) return false;
  return (data[0] == 'F' || data[0] == 'C' || data[0] == 'Z') && data[1] == 'W' && data[2] == 'S';
}

bool looksLikePicture(const uint8_t* data, size_t size) {
  if (!data) return false;
  return startsWith(data, size, "\x89PNG\r\n\x1a\n", 8) || startsWith(data, size, "GIF87a", 6) ||
         startsWith(data, size, "GIF89a", 6) || startsWith(data, size, "\xFF\xD8\xFF", 3);
}

std::unique_ptr<MovieDef> pictureMovie(const uint8_t* data, size_t size, int version) {
  std::shared_ptr<Bitmap> bitmap = decodeImage(data, size);
  if (!bitmap) return nullptr;
  auto movie = std::make_unique<MovieDef>();
  movie->version = version;
  movie->fileLength = uint32_t(size);
  movie->stage = Rect{0, bitmap->width * 20, 0, bitmap->height * 20};
  movie->frameCount = 1;
  Character picture;
  picture.kind = Character::Bitmap;
  picture.bitmap = std::move(bitmap);
  movie->characters[kPictureId] = std::move(picture);
  PlaceTag place;
  place.depth = 1;
  place.characterId = kPictureId;
  place.matrix = Matrix{};
  Frame frame;
  frame.tags.emplace_back(std::move(place));
  movie->root.frames.push_back(std::move(frame));
  movie->root.declaredFrames = 1;
  return movie;
}

}  // namespace movie::format

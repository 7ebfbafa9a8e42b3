#pragma once
// A picture (PNG, GIF or JPEG) that a script loads into a clip, made into a movie of one
// frame showing it at its own origin, one pixel to 20 twips.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "movie/format/movie_def.h"

namespace movie::format {

// Whether the bytes start like a movie (plain or compressed).
bool looksLikeMovie(const uint8_t* data, size_t size);
// Whether the bytes start like a picture rather than a movie (by content, whatever the
// address's name says).
bool looksLikePicture(const uint8_t* data, size_t size);
// The one-frame movie showing the picture; null when it cannot be decoded (or is too large).
std::unique_ptr<MovieDef> pictureMovie(const uint8_t* data, size_t size, int version);

}  // namespace movie::format

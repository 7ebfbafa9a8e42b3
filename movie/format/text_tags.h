#pragma once
// The font and text tags of a movie: DefineFont 1-3, DefineFontInfo 1-2,
// DefineFontName, DefineText 1-2 and DefineEditText into the character table.
#include <cstddef>
#include <cstdint>
#include <string>

#include "movie/format/movie_def.h"

namespace movie::format {

bool isTextTag(uint16_t code);
// Reads one such tag into the movie. A damaged tag defines nothing and leaves a
// warning; the movie plays on.
void readTextTag(uint16_t code, const uint8_t* body, size_t size, MovieDef& movie, std::string& warning);

}  // namespace movie::format

#pragma once
// What a tag handler works on: the movie being built and the timeline the tag is in
// (the main one or a sprite's), with the frame that is being collected.
#include "movie/format/movie_build.h"
#include "movie/format/timeline_def.h"

namespace movie::format {

struct TagContext {
  MovieBuild& build;
  Timeline& timeline;
  Frame& pending;         // tags since the last ShowFrame
  bool inSprite = false;  // sprites hold only control tags
  bool ended = false;     // set by the End tag
};

}  // namespace movie::format

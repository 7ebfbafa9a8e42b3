#pragma once
// Movies whose frames carry actions, run for a number of frames, with what they trace.
#include <string>
#include <vector>

#include "movie/player.h"
#include "tools/swf/actions.h"

namespace movie_test {

// One frame per action list (an empty list: a frame without actions), movie version v.
swf::Bytes scriptedMovie(const std::vector<swf::Actions>& frames, int version = 8);
// Loads the movie, runs `frames` frames (the first counts) and returns the trace lines.
std::vector<std::string> runTrace(const swf::Bytes& movie, int frames = 1);
// One frame of actions at version v; the trace lines.
std::vector<std::string> traceOf(const swf::Actions& actions, int version = 8);

}  // namespace movie_test

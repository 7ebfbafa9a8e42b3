#pragma once
// One sample lesson movie: a looping, colourful scene that shows the lesson number.
#include <cstdint>

#include "tools/swf/swf_writer.h"

namespace sample {

// How a lesson's movie varies from the others (all derived from the number).
struct LessonStyle {
  int frames = 24;
  double frameRate = 12;
  bool compressed = false;
  uint8_t swfVersion = 10;
  int shapeVersion = 3;    // DefineShape version of the actors
  bool bitmapGround = false;
  bool maskedStripes = false;
  int balls = 1;
  int starPoints = 5;
  int stars = 1;
};

LessonStyle styleFor(int lesson);

// The movie file for lesson 1..38 (throws std::invalid_argument otherwise). With the
// lesson's spoken sentence (an MP3 file) the movie speaks it as stream sound from its
// first frame, running as many whole animation cycles as the sentence needs; a short
// chime plays as an event sound when the sparkle shows.
swf::Bytes makeLessonMovie(int lesson, const swf::Bytes& speechMp3 = {});

// The lesson's spoken sentence as made at build time (throws std::runtime_error when it
// cannot be read).
swf::Bytes lessonSpeech(int lesson);

}  // namespace sample

#pragma once
// The lesson's words: an English sentence as static text in the lessons' embedded block
// font, and its Chinese line in a text field that uses the system's (device) font.
#include "tools/swf/swf_writer.h"

namespace sample {

struct LessonWords {
  const char* english;  // capitals and the block font's punctuation
  const char* chinese;  // UTF-8
};

LessonWords wordsFor(int lesson);
// Defines the fonts, the text and the field (their ids are 60 to 63).
void defineLessonText(swf::TagList& tags, int lesson);
// Places them on the first frame, above everything else.
void placeLessonText(swf::TagList& tags);

}  // namespace sample

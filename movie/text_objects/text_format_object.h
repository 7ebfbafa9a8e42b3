#pragma once
// TextFormat objects as scripts see them: objects of the TextFormat class whose
// attributes are null when absent (mixed, or left as they are).
#include "movie/script/machine.h"
#include "movie/text/text_format.h"

namespace movie::text_objects {

void installTextFormatClass(script::Machine& m);
script::Object* newTextFormatObject(script::Machine& m, const text::TextFormat& format);
// The attributes an object states (null and undefined ones are absent).
text::TextFormat textFormatOf(script::Machine& m, script::Object* object);

// Colours as scripts write them: 0xRRGGBB numbers.
double colorNumber(render::Color c);
render::Color colorFromNumber(double n);

}  // namespace movie::text_objects

#pragma once
// The MP3 decoder of native builds (tests and tools): the system's libmpg123 in feed
// mode, giving 16-bit samples at the stream's own rate.
#include "movie/sound/mp3_decoder.h"

namespace movie::sound {

// A factory for the engine; each call makes an independent decoder.
Mp3DecoderFactory mpg123DecoderFactory();

}  // namespace movie::sound

#pragma once
// The MP3 decoder of the Windows program: the platform's audio compression manager
// (every Windows has its MP3 codec), behind the engine's decoder interface.
#include "movie/sound/mp3_decoder.h"

namespace hosts::flash {

movie::sound::Mp3DecoderFactory acmMp3DecoderFactory();

}  // namespace hosts::flash

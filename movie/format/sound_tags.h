#pragma once
// The sound tags as the parser meets them: DefineSound becomes a character; a stream
// head sets the format of its timeline's stream; a stream block belongs to the frame
// being read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "movie/format/character.h"
#include "movie/format/timeline_def.h"

namespace movie::format {

// Stream head or block, on the main timeline or in a sprite. False (with a reason) when
// the tag is damaged.
bool readStreamTag(uint16_t code, const uint8_t* body, size_t size, Timeline& timeline, Frame& pending,
                   std::string& why);
// DefineSound as a character, or false (with a reason).
bool readDefineSound(const uint8_t* body, size_t size, uint16_t& id, Character& out, std::string& why);

}  // namespace movie::format

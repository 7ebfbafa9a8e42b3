#pragma once
// Sound files made at build time (make-sound-assets.sh), embedded for the tests.
#include <cstdint>
#include <vector>

namespace sound_assets {

const std::vector<uint8_t>& toneMono22k();    // 440 Hz, half scale, 1 s, 22 050 Hz mono MP3
const std::vector<uint8_t>& toneStereo44k();  // 440 Hz left, 660 Hz right, quarter scale, 1 s
const std::vector<uint8_t>& speech01();       // lesson 1's sentence, 22 050 Hz mono MP3

}  // namespace sound_assets

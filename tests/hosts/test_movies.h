#pragma once
// Small movies made for the tests with the project's SWF writer.
#include <cstdint>
#include <vector>

namespace hosts_test {

inline constexpr uint32_t kMovieBackground = 0x2040C0;  // blue letterbox bars
inline constexpr uint32_t kStageColor = 0xE03020;       // red rectangle over the whole stage

// A 550 x 400 stage covered by a red rectangle on a blue background, `frames` frames
// at 12 per second (the rectangle is placed again on every frame).
std::vector<uint8_t> letterboxMovie(int frames = 10);
// Bytes that begin like a movie and then are garbage.
std::vector<uint8_t> brokenMovie();

}  // namespace hosts_test

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
// A lesson in small: a preloader (frames 1-2, looping until every frame arrived), a
// story frame that stops with a "next" button in the middle of the stage (200 x 100
// stage pixels; its up, over and down states in three colours), and an ending frame
// whose script sends the FS command "lessonEnd" with the argument "done" and asks to open
// https://www.example.com/next and a file address.
inline constexpr uint32_t kPreloaderColor = 0x808080, kStoryColor = 0xF0E0A0, kEndingColor = 0x30A050;
inline constexpr uint32_t kNextUp = 0x2060E0, kNextOver = 0xE0C020, kNextDown = 0xC02080;
std::vector<uint8_t> lessonWithButtonMovie();
// A movie whose Mouse listener sends the FS command "wheel" with the lines the wheel
// turned as its argument.
std::vector<uint8_t> wheelMovie();
// A movie whose Key listener sends the FS command "key" with Key.getAscii() of each key
// pressed as its argument.
std::vector<uint8_t> keyMovie();
// A movie that loads "words.txt" next to itself with a LoadVars object and sends the FS
// command "loaded" with its variable "word" (or "failed" when nothing came). With post
// it sends its own variable name="Tom & Jerry" with POST and loads the answer.
std::vector<uint8_t> loadVarsMovie(bool post = false);
// Bytes that begin like a movie and then are garbage.
std::vector<uint8_t> brokenMovie();

}  // namespace hosts_test

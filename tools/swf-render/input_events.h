#pragma once
// Scripted pointer and key input for a player without a window: the event file of
// swf-render --input, one event a line ("N move X Y", "N down", "N up", "N key CODE",
// "N wheel NOTCHES";
// blank lines and lines starting with # are ignored), delivered before frame N.
#include <functional>
#include <string>
#include <vector>

namespace movie {
class Player;
}

namespace swf_input {

struct InputEvent {
  enum Kind { Move, Down, Up, Key, KeyDown, KeyUp, Wheel } kind = Move;
  int frame = 1;          // delivered before this frame runs (frame 1: once it is shown)
  double x = 0, y = 0;    // stage pixels
  int virtualKey = 0;     // a Windows virtual-key code
  char32_t character = 0;  // what the key types, 0 for none
  double notches = 0;      // the wheel turned, positive away from the user
};

// False with a message naming the line when a line is not an event.
bool parseInputEvents(const std::string& text, std::vector<InputEvent>& out, std::string& error);

// The character a virtual key types without shift (letters in lower case), or 0.
char32_t typedCharacter(int virtualKey);

// Hands events to a player, remembering where the pointer is; scale: viewport pixels
// per stage pixel.
class Delivery {
 public:
  Delivery(movie::Player& player, double scale) : player_(player), scale_(scale) {}
  void deliver(const InputEvent& event);

 private:
  movie::Player& player_;
  double scale_;
  double x_ = 0, y_ = 0;
};

// Plays frames 1 to frames, delivering each event before its frame runs (those of
// frame 1 once it is shown, as it runs when the movie loads); shown(f), when given, is
// called once frame f is shown.
void runFrames(movie::Player& player, int frames, std::vector<InputEvent> events, double scale,
               const std::function<void(int frame)>& shown = {});

}  // namespace swf_input

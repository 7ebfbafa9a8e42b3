#include "input_events.h"

#include <algorithm>
#include <sstream>

#include "movie/player.h"

namespace swf_input {
namespace {

bool parseLine(const std::string& line, InputEvent& e) {
  std::istringstream in(line);
  std::string kind;
  if (!(in >> e.frame >> kind) || e.frame < 1) return false;
  if (kind == "move") {
    e.kind = InputEvent::Move;
    if (!(in >> e.x >> e.y)) return false;
  } else if (kind == "down") {
    e.kind = InputEvent::Down;
  } else if (kind == "up") {
    e.kind = InputEvent::Up;
  } else if (kind == "key") {
    e.kind = InputEvent::Key;
    if (!(in >> e.virtualKey) || e.virtualKey < 1 || e.virtualKey > 254) return false;
    e.character = typedCharacter(e.virtualKey);
  } else if (kind == "wheel") {
    e.kind = InputEvent::Wheel;
    if (!(in >> e.notches) || !(e.notches >= -100 && e.notches <= 100)) return false;
  } else {
    return false;
  }
  std::string rest;
  return !(in >> rest);
}

}  // namespace

char32_t typedCharacter(int virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return char32_t(virtualKey - 'A' + 'a');
  if ((virtualKey >= '0' && virtualKey <= '9') || virtualKey == ' ') return char32_t(virtualKey);
  if (virtualKey == 0x0D) return U'\r';
  if (virtualKey == 0x09) return U'\t';
  return 0;
}

bool parseInputEvents(const std::string& text, std::vector<InputEvent>& out, std::string& error) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    InputEvent e;
    if (!parseLine(line, e)) {
      error = "line " + std::to_string(number) + " is not an event: " + line;
      return false;
    }
    out.push_back(e);
  }
  return true;
}

void Delivery::deliver(const InputEvent& e) {
  switch (e.kind) {
    case InputEvent::Move:
      x_ = e.x * scale_, y_ = e.y * scale_;
      player_.pointerMove(x_, y_);
      break;
    case InputEvent::Down:
      player_.pointerDown(x_, y_);
      break;
    case InputEvent::Up:
      player_.pointerUp();
      break;
    case InputEvent::Key:
      player_.keyDown(e.virtualKey, e.character);
      player_.keyUp(e.virtualKey);
      break;
    case InputEvent::KeyDown:
      player_.keyDown(e.virtualKey, e.character);
      break;
    case InputEvent::KeyUp:
      player_.keyUp(e.virtualKey);
      break;
    case InputEvent::Wheel:
      player_.wheel(e.notches);
      break;
  }
}

void runFrames(movie::Player& player, int frames, std::vector<InputEvent> events, double scale,
               const std::function<void(int frame)>& shown) {
  std::stable_sort(events.begin(), events.end(),
                   [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
  Delivery delivery(player, scale);
  size_t next = 0;
  for (int frame = 1; frame <= frames; ++frame) {
    while (next < events.size() && events[next].frame <= frame) delivery.deliver(events[next++]);
    if (frame > 1) player.tick();
    if (shown) shown(frame);
  }
}

}  // namespace swf_input

#include "corpus_input.h"

#include <cstdlib>
#include <map>

namespace movie_test {
namespace {

// The objects of the top-level array, as text.
std::vector<std::string> topObjects(const std::string& json) {
  std::vector<std::string> out;
  int depth = 0;
  bool inString = false;
  size_t start = 0;
  for (size_t i = 0; i < json.size(); ++i) {
    char c = json[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
      continue;
    }
    if (c == '"') inString = true;
    else if (c == '{' && depth++ == 0) start = i;
    else if (c == '}' && --depth == 0) out.push_back(json.substr(start, i - start + 1));
  }
  return out;
}

// The string after "key": in an object (the first one), or "".
std::string stringAfter(const std::string& object, const std::string& key) {
  size_t at = object.find("\"" + key + "\"");
  if (at == std::string::npos) return "";
  size_t open = object.find('"', object.find(':', at) + 1);
  if (open == std::string::npos) return "";
  size_t close = object.find('"', open + 1);
  return close == std::string::npos ? "" : object.substr(open + 1, close - open - 1);
}

bool position(const std::string& object, double& x, double& y) {
  size_t at = object.find("\"pos\"");
  if (at == std::string::npos) return false;
  size_t open = object.find('[', at);
  if (open == std::string::npos) return false;
  char* end = nullptr;
  x = std::strtod(object.c_str() + open + 1, &end);
  size_t comma = object.find(',', open);
  if (comma == std::string::npos) return false;
  y = std::strtod(object.c_str() + comma + 1, &end);
  return true;
}

// A key of the event as a virtual-key code and the character it types.
void keyOf(const std::string& object, int& virtualKey, char32_t& character) {
  static const std::map<std::string, int> named = {
      {"Enter", 0x0D}, {"Tab", 0x09},    {"Escape", 0x1B}, {"Backspace", 0x08}, {"Delete", 0x2E},
      {"Left", 0x25},  {"Up", 0x26},     {"Right", 0x27},  {"Down", 0x28},      {"Home", 0x24},
      {"End", 0x23},   {"PageUp", 0x21}, {"PageDown", 0x22}, {"Insert", 0x2D},  {"Space", 0x20},
      {"Shift", 0x10}, {"LeftShift", 0x10}, {"RightShift", 0x10}, {"Control", 0x11}, {"Alt", 0x12}};
  std::string ch = object.find("\"Char\"") != std::string::npos ? stringAfter(object, "Char") : "";
  if (ch.size() == 1) {
    unsigned char c = static_cast<unsigned char>(ch[0]);
    character = c;
    virtualKey = c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
    return;
  }
  auto it = named.find(stringAfter(object, "key"));
  virtualKey = it == named.end() ? 0 : it->second;
  character = swf_input::typedCharacter(virtualKey);
}

}  // namespace

std::vector<swf_input::InputEvent> readCorpusInput(const std::string& json) {
  std::vector<swf_input::InputEvent> out;
  int waits = 0;
  for (const std::string& object : topObjects(json)) {
    std::string type = stringAfter(object, "type");
    swf_input::InputEvent e;
    e.frame = waits + 1;
    if (type == "Wait") {
      ++waits;
      continue;
    }
    if (type == "MouseMove" || type == "MouseDown" || type == "MouseUp") {
      if (position(object, e.x, e.y)) {
        e.kind = swf_input::InputEvent::Move;
        out.push_back(e);
      }
      if (type == "MouseMove") continue;
      e.kind = type == "MouseDown" ? swf_input::InputEvent::Down : swf_input::InputEvent::Up;
      out.push_back(e);
    } else if (type == "KeyDown" || type == "KeyUp") {
      keyOf(object, e.virtualKey, e.character);
      if (!e.virtualKey) continue;
      e.kind = type == "KeyDown" ? swf_input::InputEvent::KeyDown : swf_input::InputEvent::KeyUp;
      out.push_back(e);
    }
  }
  return out;
}

}  // namespace movie_test

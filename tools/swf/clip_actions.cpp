#include "tools/swf/clip_actions.h"

#include "tools/swf/little_endian.h"

namespace swf {
namespace {

constexpr uint16_t kTagPlaceObject2Code = 26;
constexpr uint32_t kKeyPress = 0x20000;

// The body of a tag list holding one tag.
Bytes onlyTagBody(const Bytes& tag) {
  uint16_t header = uint16_t(tag[0] | (tag[1] << 8));
  size_t at = 2, length = header & 0x3F;
  if (length == 0x3F) {
    length = tag[2] | (tag[3] << 8) | (tag[4] << 16) | (size_t(tag[5]) << 24);
    at = 6;
  }
  return Bytes(tag.begin() + long(at), tag.begin() + long(at + length));
}

}  // namespace

void placeWithHandlers(TagList& tags, const Place& place, const std::vector<ClipHandler>& handlers) {
  TagList one;
  one.placeObject2(place);
  Bytes body = onlyTagBody(one.bytes());
  body[0] |= 0x80;
  uint32_t all = 0;
  for (const ClipHandler& h : handlers) all |= h.events;
  put16(body, 0);
  put32(body, all);
  for (const ClipHandler& h : handlers) {
    Bytes code = h.actions.bytes();
    put32(body, h.events);
    bool key = h.events & kKeyPress;
    put32(body, uint32_t(code.size() + (key ? 1 : 0)));
    if (key) body.push_back(h.key);
    body.insert(body.end(), code.begin(), code.end());
  }
  put32(body, 0);
  tags.raw(kTagPlaceObject2Code, body);
}

}  // namespace swf

#include "tools/swf/button_writer.h"

#include "tools/swf/little_endian.h"

namespace swf {
namespace {

constexpr uint16_t kTagDefineButton = 7;
constexpr uint16_t kTagDefineButton2 = 34;

void append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

Bytes records(const std::vector<ButtonRecord>& list, bool withColor) {
  Bytes out;
  for (const ButtonRecord& r : list) {
    out.push_back(r.states & 0x0F);
    put16(out, r.characterId);
    put16(out, r.depth);
    append(out, encodeMatrix(r.matrix));
    if (withColor) append(out, encodeColorTransform(r.colorTransform, true));
  }
  out.push_back(0);
  return out;
}

}  // namespace

std::vector<ButtonRecord> threeStates(uint16_t up, uint16_t over, uint16_t down) {
  std::vector<ButtonRecord> records(3);
  records[0].states = kButtonUp | kButtonHit;
  records[0].characterId = up;
  records[1].states = kButtonOver;
  records[1].characterId = over;
  records[2].states = kButtonDown;
  records[2].characterId = down;
  return records;
}

void defineButton(TagList& tags, uint16_t id, const std::vector<ButtonRecord>& list, const Actions& onRelease) {
  Bytes body;
  put16(body, id);
  append(body, records(list, false));
  append(body, onRelease.bytes());
  tags.raw(kTagDefineButton, body);
}

void defineButton2(TagList& tags, uint16_t id, const std::vector<ButtonRecord>& list,
                   const std::vector<ButtonAction>& actions, bool trackAsMenu) {
  Bytes body;
  put16(body, id);
  body.push_back(trackAsMenu ? 1 : 0);
  Bytes states = records(list, true);
  put16(body, actions.empty() ? 0 : uint16_t(states.size() + 2));
  append(body, states);
  for (size_t i = 0; i < actions.size(); ++i) {
    Bytes code = actions[i].actions.bytes();
    bool last = i + 1 == actions.size();
    put16(body, last ? 0 : uint16_t(code.size() + 4));
    body.push_back(uint8_t(actions[i].transitions));
    body.push_back(uint8_t((actions[i].key << 1) | ((actions[i].transitions >> 8) & 1)));
    append(body, code);
  }
  tags.raw(kTagDefineButton2, body);
}

}  // namespace swf

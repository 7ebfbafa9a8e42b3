#include "movie/format/button_parser.h"

#include "movie/format/filter_parser.h"
#include "movie/format/records.h"
#include "movie/format/tag_codes.h"

namespace movie::format {
namespace {

constexpr size_t kMaxRecords = 4096;

// One state record, placed into the frame of every state it belongs to. False at the end
// of the list (a zero flags byte) or when the record is damaged.
bool readRecord(io::BitReader& r, bool withColor, ButtonDef& out, bool& damaged) {
  uint8_t flags = r.u8();
  if (flags == 0 || r.overrun()) return false;
  PlaceTag place;
  place.characterId = r.u16();
  place.depth = r.u16();
  place.matrix = readMatrix(r);
  if (withColor) {
    place.colorTransform = readColorTransform(r, true);
    if ((flags & 0x10) && !readFilters(r, place.filters)) damaged = true;
    if (flags & 0x20) place.blendMode = r.u8();
  }
  if (r.overrun() || damaged) {
    damaged = true;
    return false;
  }
  for (int state = 0; state < 4; ++state)
    if (flags & (1 << state)) out.states.frames[size_t(state)].tags.push_back(place);
  return true;
}

ButtonAction conditionAction(uint8_t first, uint8_t second) {
  ButtonAction a;
  a.conditions = uint16_t(first | ((second & 1) << 8));
  a.keyCode = second >> 1;
  return a;
}

void readConditionActions(const uint8_t* body, size_t size, size_t pos, ButtonDef& out) {
  while (pos + 4 <= size && out.actions.size() < kMaxRecords) {
    size_t next = body[pos] | (body[pos + 1] << 8);
    ButtonAction a = conditionAction(body[pos + 2], body[pos + 3]);
    size_t end = next == 0 || pos + next > size ? size : pos + next;
    if (next != 0 && next < 4) return;  // a record that would not move forwards
    a.actions.assign(body + pos + 4, body + end);
    out.actions.push_back(std::move(a));
    if (next == 0) return;
    pos += next;
  }
}

}  // namespace

bool parseButton(uint16_t code, const uint8_t* body, size_t size, ButtonDef& out, std::string& error) {
  io::BitReader r(body, size);
  out.id = r.u16();
  out.states.frames.resize(4);
  out.states.declaredFrames = 4;
  bool second = code == kDefineButton2;
  size_t actionsAt = 0;
  if (second) {
    out.trackAsMenu = r.u8() & 1;
    size_t offsetField = r.position();
    size_t offset = r.u16();
    if (offset) actionsAt = offsetField + offset;
  }
  bool damaged = false;
  for (size_t n = 0; n < kMaxRecords && readRecord(r, second, out, damaged); ++n) {}
  if (damaged || r.overrun()) {
    error = "A button tag is truncated.";
    return false;
  }
  if (!second) {
    ButtonAction a;
    a.conditions = kOverDownToOverUp;
    a.actions.assign(r.cursor(), r.cursor() + r.remaining());
    if (!a.actions.empty()) out.actions.push_back(std::move(a));
  } else if (actionsAt && actionsAt < size) {
    readConditionActions(body, size, actionsAt, out);
  }
  return true;
}

}  // namespace movie::format

#include "movie/format/place_parser.h"

#include "movie/format/filter_parser.h"
#include "movie/format/records.h"
#include "movie/format/tag_codes.h"

namespace movie::format {
namespace {

constexpr size_t kMaxClipActions = 256;

// The clip's event handlers; a damaged record ends the list, keeping those before it.
void readClipActions(io::BitReader& r, int swfVersion, PlaceTag& out) {
  bool wide = swfVersion >= 6;
  r.skip(2);                    // reserved
  if (wide) r.u32(); else r.u16();  // the union of all events
  auto list = std::make_shared<std::vector<ClipAction>>();
  while (list->size() < kMaxClipActions) {
    ClipAction a;
    a.events = wide ? r.u32() : r.u16();
    if (a.events == 0 || r.overrun()) break;
    size_t size = r.u32();
    if (r.overrun() || size > r.remaining()) break;
    size_t end = r.position() + size;
    if ((a.events & kClipKeyPress) && size > 0) a.keyCode = r.u8();
    a.actions.assign(r.cursor(), r.cursor() + (end - r.position()));
    r.skip(end - r.position());
    list->push_back(std::move(a));
  }
  if (!list->empty()) out.clipActions = std::move(list);
}

}  // namespace

bool parsePlace(uint16_t code, const uint8_t* body, size_t size, int swfVersion, PlaceTag& out,
                std::string& error) {
  io::BitReader r(body, size);
  if (code == kPlaceObject) {
    out.version = 1;
    out.characterId = r.u16();
    out.depth = r.u16();
    out.matrix = readMatrix(r);
    if (r.overrun()) {
      error = "A PlaceObject tag is truncated.";
      return false;
    }
    if (r.remaining() > 0) out.colorTransform = readColorTransform(r, false);
    return true;
  }
  out.version = code == kPlaceObject3 ? 3 : 2;
  uint8_t flags = r.u8();
  uint8_t flags2 = out.version == 3 ? r.u8() : 0;
  out.depth = r.u16();
  out.move = flags & 0x01;
  bool hasCharacter = flags & 0x02;
  if (out.version == 3 && ((flags2 & 0x08) || ((flags2 & 0x10) && hasCharacter))) out.className = r.string();
  if (hasCharacter) out.characterId = r.u16();
  if (flags & 0x04) out.matrix = readMatrix(r);
  if (flags & 0x08) out.colorTransform = readColorTransform(r, true);
  if (flags & 0x10) out.ratio = r.u16();
  if (flags & 0x20) out.name = r.string();
  if (flags & 0x40) out.clipDepth = r.u16();
  if (r.overrun()) {
    error = "A PlaceObject tag is truncated.";
    return false;
  }
  if (out.version == 3) {
    // Filters, blend mode and cache flag are kept; damage there loses only them.
    if ((flags2 & 0x01) && !readFilters(r, out.filters)) {
      out.filters.clear();
      return true;
    }
    if (flags2 & 0x02) out.blendMode = r.u8();
    if (flags2 & 0x04) out.cacheAsBitmap = r.u8() != 0;
    if (flags2 & 0x20) {
      out.visible = r.u8() != 0;
      r.skip(4);  // background colour
    }
    if (r.overrun()) return true;
  }
  if (flags & 0x80) readClipActions(r, swfVersion, out);
  return true;
}

bool parseRemove(uint16_t code, const uint8_t* body, size_t size, RemoveTag& out,
                 std::string& error) {
  io::BitReader r(body, size);
  if (code == kRemoveObject) out.characterId = r.u16();
  out.depth = r.u16();
  if (r.overrun()) {
    error = "A RemoveObject tag is truncated.";
    return false;
  }
  return true;
}

}  // namespace movie::format

// DefineScalingGrid: the nine-slice grid of an earlier sprite or button.
#include <memory>

#include "movie/format/records.h"
#include "movie/format/tags/handlers.h"
#include "movie/io/bit_reader.h"

namespace movie::format {

void readDefineScalingGrid(const Tag& tag, TagContext& context) {
  io::BitReader r(tag.body, tag.size);
  uint16_t id = r.u16();
  Rect grid = readRect(r);
  if (r.overrun()) return context.build.warn("A scaling grid tag is truncated.");
  auto& characters = context.build.movie().characters;
  auto it = characters.find(id);
  if (it == characters.end() || (it->second.kind != Character::Sprite && it->second.kind != Character::Button))
    return context.build.warn("A scaling grid names no sprite or button.");
  it->second.scalingGrid = std::make_shared<const Rect>(grid);
}

}  // namespace movie::format

// DefineSprite: a character with a timeline of its own, read from the tags in its body.
#include "movie/format/tag_codes.h"
#include "movie/format/tag_header.h"
#include "movie/format/tag_table.h"
#include "movie/format/tags/handlers.h"
#include "movie/io/bit_reader.h"

namespace movie::format {
namespace {

// The sprite's control tags into its timeline; damage ends the reading, keeping what was read.
void readSpriteTags(const uint8_t* body, size_t size, size_t pos, TagContext& context) {
  while (!context.ended) {
    TagHeader header;
    if (!readTagHeader(body + pos, size - pos, header)) break;
    pos += header.headerSize;
    if (header.length > size - pos) break;
    dispatchTag(Tag{header.code, body + pos, header.length}, context);
    if (header.code == kEnd) context.ended = true;  // even when a full frame refused it
    pos += header.length;
  }
}

}  // namespace

void readDefineSprite(const Tag& tag, TagContext& context) {
  io::BitReader r(tag.body, tag.size);
  auto sprite = std::make_shared<SpriteDef>();
  sprite->id = r.u16();
  sprite->timeline.declaredFrames = r.u16();
  if (r.overrun()) return context.build.warn("A sprite tag is truncated.");
  Frame pending;
  TagContext inner{context.build, sprite->timeline, pending, true};
  readSpriteTags(tag.body, tag.size, r.position(), inner);
  if (!inner.ended && (!pending.tags.empty() || !pending.label.empty()))
    sprite->timeline.frames.push_back(std::move(pending));
  Character c;
  c.kind = Character::Sprite;
  c.sprite = sprite;
  context.build.addCharacter(sprite->id, std::move(c));
}

}  // namespace movie::format

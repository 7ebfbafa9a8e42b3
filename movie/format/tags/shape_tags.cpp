// DefineShape 1-4 and DefineMorphShape 1-2, counted against the movie's edge budget.
#include "movie/format/shape_parser.h"
#include "movie/format/tag_codes.h"
#include "movie/format/tags/handlers.h"

namespace movie::format {
namespace {

int shapeVersion(uint16_t code) {
  switch (code) {
    case kDefineShape: return 1;
    case kDefineShape2: return 2;
    case kDefineShape3: return 3;
    default: return 4;
  }
}

BitmapLookup bitmapsOf(const MovieBuild& build) {
  return [&build](uint16_t id) { return build.bitmap(id); };
}

}  // namespace

void readDefineShape(const Tag& tag, TagContext& context) {
  auto shape = std::make_shared<ShapeDef>();
  std::string why;
  if (!parseShape(tag.body, tag.size, shapeVersion(tag.code), bitmapsOf(context.build), *shape, why))
    return context.build.warn(why);
  if (!context.build.addEdges(shape->outline.edges.size())) return;
  Character c;
  c.kind = Character::Shape;
  c.shape = shape;
  context.build.addCharacter(shape->id, std::move(c));
}

void readDefineMorphShape(const Tag& tag, TagContext& context) {
  auto morph = std::make_shared<MorphShapeDef>();
  std::string why;
  int version = tag.code == kDefineMorphShape ? 1 : 2;
  if (!parseMorphShape(tag.body, tag.size, version, bitmapsOf(context.build), *morph, why))
    return context.build.warn(why);
  if (!context.build.addEdges(morph->start.edges.size() + morph->endEdges.size())) return;
  Character c;
  c.kind = Character::MorphShape;
  c.morph = morph;
  context.build.addCharacter(morph->id, std::move(c));
}

}  // namespace movie::format

// JPEGTables and the bitmap definitions, counted against the movie's pixel budget.
#include "movie/format/bitmap_parser.h"
#include "movie/format/tags/handlers.h"

namespace movie::format {

void readJpegTables(const Tag& tag, TagContext& context) {
  context.build.movie().jpegTables.assign(tag.body, tag.body + tag.size);
}

void readDefineBitmap(const Tag& tag, TagContext& context) {
  uint16_t id = 0;
  std::string why;
  auto bitmap = parseBitmap(tag.code, tag.body, tag.size, context.build.movie().jpegTables, id, why);
  if (!bitmap) return context.build.warn(why);
  if (!context.build.addBitmapPixels(bitmap->pixels.size())) return;
  Character c;
  c.kind = Character::Bitmap;
  c.bitmap = bitmap;
  context.build.addCharacter(id, std::move(c));
}

}  // namespace movie::format

// Movie-wide facts: background colour, file attributes, metadata, protection, exported
// names and script limits.
#include "movie/format/records.h"
#include "movie/format/tags/handlers.h"
#include "movie/io/bit_reader.h"

namespace movie::format {

void readSetBackgroundColor(const Tag& tag, TagContext& context) {
  io::BitReader r(tag.body, tag.size);
  MovieDef& movie = context.build.movie();
  movie.background = readRgb(r);
  movie.hasBackground = !r.overrun();
}

void readFileAttributes(const Tag& tag, TagContext& context) {
  io::BitReader r(tag.body, tag.size);
  context.build.movie().fileAttributes = r.u32();
}

void readMetadata(const Tag& tag, TagContext& context) {
  io::BitReader r(tag.body, tag.size);
  context.build.movie().metadata = r.string();
}

void readProtect(const Tag&, TagContext& context) { context.build.movie().isProtected = true; }

void readExportAssets(const Tag& tag, TagContext& context) {
  io::BitReader r(tag.body, tag.size);
  int count = r.u16();
  for (int i = 0; i < count && !r.overrun(); ++i) {
    uint16_t id = r.u16();
    std::string name = r.string();
    if (!r.overrun()) context.build.movie().exports[name] = id;
  }
}

void readScriptLimits(const Tag& tag, TagContext& context) {
  io::BitReader r(tag.body, tag.size);
  context.build.movie().maxRecursion = r.u16();
  context.build.movie().scriptTimeout = r.u16();
}

}  // namespace movie::format

// ImportAssets and ImportAssets2: characters another movie exports, to be fetched from
// its address and bound to ids of this movie. The loading layer does both.
#include "movie/format/tag_codes.h"
#include "movie/format/tags/handlers.h"
#include "movie/io/bit_reader.h"

namespace movie::format {

void readImportAssets(const Tag& tag, TagContext& context) {
  MovieDef& movie = context.build.movie();
  if (movie.imports.size() >= kMaxImportTags) return context.build.warn("too many imports; the rest are left out");
  io::BitReader r(tag.body, tag.size);
  AssetImport import;
  import.url = r.string();
  if (tag.code == kImportAssets2) r.u16();  // reserved
  import.frame = int(context.timeline.frames.size());
  int count = r.u16();
  for (int i = 0; i < count && !r.overrun(); ++i) {
    uint16_t id = r.u16();
    std::string name = r.string();
    if (!r.overrun()) import.assets.push_back({id, std::move(name)});
  }
  if (r.overrun()) context.build.warn("an import list runs past its tag");
  if (!import.url.empty()) movie.imports.push_back(std::move(import));
}

}  // namespace movie::format

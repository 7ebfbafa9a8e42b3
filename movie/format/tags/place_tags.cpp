// PlaceObject 1-3 and RemoveObject 1-2: changes to the display list of the frame.
#include "movie/format/place_parser.h"
#include "movie/format/tags/handlers.h"

namespace movie::format {

void readPlaceObject(const Tag& tag, TagContext& context) {
  if (!context.build.countControlTag()) return;
  PlaceTag place;
  std::string why;
  if (parsePlace(tag.code, tag.body, tag.size, context.build.movie().version, place, why))
    context.pending.tags.push_back(std::move(place));
  else
    context.build.warn(why);
}

void readRemoveObject(const Tag& tag, TagContext& context) {
  if (!context.build.countControlTag()) return;
  RemoveTag remove;
  std::string why;
  if (parseRemove(tag.code, tag.body, tag.size, remove, why))
    context.pending.tags.push_back(remove);
  else
    context.build.warn(why);
}

}  // namespace movie::format

// End, ShowFrame and FrameLabel: where frames begin and end, and their names.
#include "movie/format/tags/handlers.h"
#include "movie/io/bit_reader.h"

namespace movie::format {
namespace {
constexpr size_t kMaxFramesPerTimeline = 100'000;
}  // namespace

void readEnd(const Tag&, TagContext& context) {
  Frame& pending = context.pending;
  if (!pending.tags.empty() || !pending.actions.empty() || !pending.label.empty()) {
    // Tags after the last ShowFrame form no frame; keep them as one so they show.
    if (context.timeline.frames.size() < kMaxFramesPerTimeline) context.timeline.frames.push_back(std::move(pending));
    pending = Frame{};
  }
  context.ended = true;
}

void readShowFrame(const Tag&, TagContext& context) {
  if (context.timeline.frames.size() >= kMaxFramesPerTimeline) {
    if (!context.inSprite) context.build.fail("The movie has too many frames.");
    return;
  }
  context.timeline.frames.push_back(std::move(context.pending));
  context.pending = Frame{};
}

void readFrameLabel(const Tag& tag, TagContext& context) {
  io::BitReader r(tag.body, tag.size);
  context.pending.label = r.string();
}

}  // namespace movie::format

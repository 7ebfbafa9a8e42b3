#include "movie/format/tag_table.h"

#include <array>

#include "movie/format/tag_codes.h"
#include "movie/format/tags/handlers.h"

namespace movie::format {
namespace {

constexpr size_t kMaxTagsPerFrame = 100'000;

enum class Scope { None, Control, Definition };
using Handler = void (*)(const Tag&, TagContext&);

struct Entry {
  Scope scope = Scope::None;
  Handler handler = nullptr;
};

// Indexed by tag code (10 bits).
using Table = std::array<Entry, 1024>;

Table buildTable() {
  Table table{};
#define TAG(code, scope, handler) table[code] = {Scope::scope, &handler};
#include "movie/format/tags/tag_list.h"
#undef TAG
  return table;
}

}  // namespace

void dispatchTag(const Tag& tag, TagContext& context) {
  static const Table table = buildTable();
  if (context.pending.tags.size() > kMaxTagsPerFrame) {
    if (!context.inSprite) context.build.fail("A frame holds too many tags.");
    return;
  }
  const Entry& entry = table[tag.code & 1023];
  if (entry.scope == Scope::None) return;
  if (entry.scope == Scope::Definition && context.inSprite) return;
  entry.handler(tag, context);
}

}  // namespace movie::format

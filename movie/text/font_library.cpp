#include "movie/text/font_library.h"

#include <algorithm>
#include <cctype>

namespace movie::text {
namespace {

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

const Face* FontLibrary::embedded(uint16_t fontId) {
  auto it = embedded_.find(fontId);
  if (it != embedded_.end()) return it->second.get();
  auto c = characters_.find(fontId);
  if (c == characters_.end() || c->second.kind != format::Character::Font || !c->second.font) return nullptr;
  return embedded_.emplace(fontId, std::make_unique<EmbeddedFace>(c->second.font)).first->second.get();
}

const Face* FontLibrary::embeddedByName(const std::string& name, bool bold, bool italic) {
  uint16_t best = 0;
  int bestScore = -1;
  for (const auto& [id, c] : characters_) {
    if (c.kind != format::Character::Font || !c.font || c.font->glyphs.empty() || !sameName(c.font->name, name))
      continue;
    int score = (c.font->bold == bold) + (c.font->italic == italic);
    if (score > bestScore || (score == bestScore && id < best)) {
      best = id;
      bestScore = score;
    }
  }
  return bestScore < 0 ? nullptr : embedded(best);
}

const Face* FontLibrary::device(const FaceRequest& request) {
  auto it = devices_.find(request);
  if (it == devices_.end()) it = devices_.emplace(request, std::make_unique<DeviceFace>(service_, request)).first;
  return it->second.get();
}

std::string FontLibrary::nameOf(uint16_t fontId) const {
  auto c = characters_.find(fontId);
  if (c == characters_.end() || c->second.kind != format::Character::Font || !c->second.font ||
      c->second.font->name.empty())
    return "_sans";
  return c->second.font->name;
}

}  // namespace movie::text

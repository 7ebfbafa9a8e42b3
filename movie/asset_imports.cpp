#include "movie/asset_imports.h"

#include <algorithm>

#include "movie/address.h"
#include "movie/scripting.h"
#include "movie/timeline/display_list.h"

namespace movie {

void AssetImports::watch(format::MovieParser& importer, const std::string& address, script::Object* root) {
  auto it = std::find_if(importers_.begin(), importers_.end(),
                         [&importer](const auto& i) { return i->parser == &importer; });
  if (it == importers_.end()) it = importers_.insert(importers_.end(), std::make_unique<Importer>(&importer));
  Importer& i = **it;
  i.address = address;
  if (root) i.root = root;
  askFor(i);
}

void AssetImports::askFor(Importer& importer) {
  const std::vector<format::AssetImport>& imports = importer.parser->movie().imports;
  while (importer.asked < imports.size()) {
    size_t index = importer.asked++;
    if (fetched_ >= kMaxImportedMovies) continue;
    std::string url = resolveAddress(importer.address, imports[index].url);
    // Neither the movie itself nor one it was imported through: that would go round.
    bool cycle = url == importer.address ||
                 std::find(importer.chain.begin(), importer.chain.end(), url) != importer.chain.end();
    if (url.empty() || cycle) continue;
    int id = fetch_(url);
    if (!id) continue;
    ++fetched_;
    wanted_[id] = Wanted{&importer, index, url};
  }
}

bool AssetImports::arrived(int id, bool ok, const std::vector<uint8_t>& bytes) {
  auto it = wanted_.find(id);
  if (it == wanted_.end()) return false;
  Wanted wanted = it->second;
  wanted_.erase(it);
  if (!ok || imported_.size() >= kMaxImportedMovies) return true;
  auto imported = std::make_unique<Imported>();
  imported->parser.append(bytes.data(), bytes.size());
  imported->parser.finish();
  if (imported->parser.state() != format::MovieParser::State::Done) return true;  // not a whole movie
  imported->fonts = std::make_unique<text::FontLibrary>(imported->parser.movie().characters, fontService_);
  Imported& from = *imported;
  imported_.push_back(std::move(imported));
  bind(wanted, from);
  Importer& importer = *wanted.importer;
  if (importer.chain.size() + 1 < kMaxChain) {
    auto next = std::make_unique<Importer>(&from.parser);
    next->address = wanted.url;
    next->root = importer.root;
    next->chain = importer.chain;
    next->chain.push_back(importer.address);
    askFor(*next);
    importers_.push_back(std::move(next));
  }
  if (auto* root = dynamic_cast<timeline::SpriteInstance*>(scripting_.machine().nodeOf(importer.root)))
    scripting_.addMovie(from.parser.movie(), *root);  // every init action of it runs, with the importer's root as this
  return true;
}

void AssetImports::bind(const Wanted& wanted, Imported& from) {
  format::MovieParser& importer = *wanted.importer->parser;
  const format::AssetImport& import = importer.movie().imports[wanted.import];
  const format::MovieDef& def = from.parser.movie();
  for (const format::ImportedAsset& asset : import.assets) {
    auto exported = def.exports.find(asset.name);
    if (exported == def.exports.end()) continue;
    auto c = def.characters.find(exported->second);
    if (c == def.characters.end()) continue;
    format::Character bound = c->second;
    if (!bound.home) bound.home = &def.characters;  // what it places comes from its own movie
    importer.bindImported(asset.id, bound, asset.name);
  }
}

text::FontLibrary* AssetImports::fontsOf(const format::CharacterTable& characters) const {
  for (const auto& imported : imported_)
    if (&imported->parser.movie().characters == &characters) return imported->fonts.get();
  return nullptr;
}

void AssetImports::gatherRoots(std::vector<script::Object*>& out) const {
  for (const auto& importer : importers_)
    if (importer->root) out.push_back(importer->root);
}

}  // namespace movie

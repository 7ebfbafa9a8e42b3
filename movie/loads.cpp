#include "movie/loads.h"

#include <algorithm>

#include "movie/address.h"
#include "movie/script/builtins.h"
#include "movie/script/errors.h"
#include "movie/script/loading_ops.h"
#include "movie/scripting.h"

namespace movie {
namespace {

// Text as scripts get it: the bytes as they came, less a UTF-8 byte order mark.
std::string textOf(const std::vector<uint8_t>& bytes) {
  std::string text(bytes.begin(), bytes.end());
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  return text;
}

}  // namespace

Loads::~Loads() {
  if (fetcher_)
    for (const auto& [id, p] : pending_) fetcher_->cancel(id);
}

bool Loads::request(const script::LoadRequest& r) {
  if (!fetcher_ || pending_.size() >= kMaxPending) return false;
  if (!r.target && r.kind != script::LoadRequest::Kind::Data && r.level < 0) return false;
  std::string url = resolveAddress(address_, r.url);
  if (url.empty()) return false;
  if (!r.post && !r.variables.empty()) url += (url.find('?') == std::string::npos ? "?" : "&") + r.variables;
  int id = ++lastId_;
  pending_[id] = Pending{r, url};
  fetcher_->fetch(id, url, r.post, r.post ? r.variables : std::string());
  return true;
}

void Loads::unload(script::DisplayNode* clip, int level) {
  if (clip && level < 0) level = levelOf(clip);
  if (level == 0 || (clip && !clip->parentNode() && level < 0)) {
    unloadAll_ = true;  // the player empties itself once the running script is over
    return;
  }
  if (level > 0) {
    levelsToUnload_.push_back(level);  // the level stays until the scripts are over
    return;
  }
  if (auto* sprite = dynamic_cast<timeline::SpriteInstance*>(clip)) sprite->replaceByEmpty();
}

bool Loads::arrived(int id, bool ok, const std::vector<uint8_t>& bytes) {
  auto it = pending_.find(id);
  if (it == pending_.end()) return false;
  Pending p = std::move(it->second);
  pending_.erase(it);
  scripting_.beginFrame();
  switch (p.request.kind) {
    case script::LoadRequest::Kind::Movie: movieArrived(p, ok, bytes); break;
    case script::LoadRequest::Kind::Variables: variablesArrived(p, ok, bytes); break;
    case script::LoadRequest::Kind::Data: dataArrived(p, ok, bytes); break;
  }
  scripting_.runQueued();
  return true;
}

script::Object* Loads::levelClip(int level) {
  script::DisplayNode* root = level >= 0 ? scripting_.level(level) : nullptr;
  return root ? scripting_.machine().clipObject(root) : nullptr;
}

void Loads::tellLoader(script::Object* loader, const char* event, std::vector<script::Value> args) {
  if (loader) script::broadcast(scripting_.machine(), loader, event, args);
}

void Loads::movieArrived(const Pending& p, bool ok, const std::vector<uint8_t>& bytes) {
  script::Machine& m = scripting_.machine();
  script::Object* target = p.request.target ? p.request.target : levelClip(p.request.level);
  script::Object* loader = p.request.loader;
  auto* node = dynamic_cast<timeline::SpriteInstance*>(m.nodeOf(target));
  int level = p.request.target ? levelOf(node) : p.request.level;
  if (!ok) {
    tellLoader(loader, "onLoadError", {target, "URLNotFound", 0});
    return;
  }
  if (level == 0 || (node && !node->parentNode() && level < 0)) {
    replacement_ = bytes;  // a new movie in place of this one
    replacementAddress_ = p.address;
    haveReplacement_ = true;
    return;
  }
  if (!node && level < 0) return;  // the clip went while its movie was on the way
  std::unique_ptr<LoadedMovie> loaded = prepare(bytes, target, loader);
  if (!loaded) return;
  if (level > 0) {
    timeline::SpriteInstance* root = showInLevel(level, std::move(loaded));
    scripting_.runQueued();  // the loaded movie's first frame runs before onLoadInit
    tellLoader(loader, "onLoadInit", {m.clipObject(root)});
    return;
  }
  node = dynamic_cast<timeline::SpriteInstance*>(m.nodeOf(target));  // a listener may have removed it
  if (!node) return;
  const format::MovieDef& def = loaded->parser.movie();
  timeline::SpriteInstance* fresh = node->replaceTimeline(def.root, def.characters, loaded->budget);
  if (!fresh) return;
  fresh->setFonts(loaded->fonts.get());
  loaded->clip = fresh;
  scripting_.addMovie(def, *fresh);
  movies_.push_back(std::move(loaded));
  script::Object* clip = m.clipObject(fresh);
  scripting_.runQueued();  // the loaded movie's first frame runs before onLoadInit
  tellLoader(loader, "onLoadInit", {clip});
}

std::unique_ptr<Loads::LoadedMovie> Loads::prepare(const std::vector<uint8_t>& bytes, script::Object* target,
                                                   script::Object* loader) {
  auto loaded = std::make_unique<LoadedMovie>();
  loaded->parser.append(bytes.data(), bytes.size());
  loaded->parser.finish();
  const format::MovieDef& def = loaded->parser.movie();
  bool usable = loaded->parser.state() != format::MovieParser::State::Failed && !def.root.frames.empty();
  if (!usable || movies_.size() >= kMaxLoadedMovies) {
    tellLoader(loader, "onLoadError", {target, "LoadNeverCompleted", 0});
    return nullptr;
  }
  double size = double(bytes.size());
  tellLoader(loader, "onLoadStart", {target});
  tellLoader(loader, "onLoadProgress", {target, size, size});
  tellLoader(loader, "onLoadComplete", {target, 0});
  loaded->budget.maxNesting = budget_.maxNesting;
  loaded->budget.maxObjects = budget_.maxObjects / 4;
  loaded->budget.events = budget_.events;
  loaded->budget.exports = &def.exports;
  loaded->budget.version = def.version;
  loaded->fonts = std::make_unique<text::FontLibrary>(def.characters, fontService_);
  loaded->bytes = bytes.size();
  return loaded;
}

timeline::SpriteInstance* Loads::showInLevel(int level, std::unique_ptr<LoadedMovie> loaded) {
  dropLevel(level);
  std::erase(levelsToUnload_, level);  // unloaded before this movie came
  const format::MovieDef& def = loaded->parser.movie();
  loaded->level = level;
  loaded->levelRoot = std::make_unique<timeline::SpriteInstance>(def.root, def.characters, loaded->budget, 0);
  timeline::SpriteInstance* root = loaded->levelRoot.get();
  root->setFonts(loaded->fonts.get());
  movies_.push_back(std::move(loaded));
  scripting_.addMovie(def, *root);
  root->start();
  return root;
}

void Loads::dropLevel(int level) {
  for (auto& movie : movies_) {
    if (movie->level != level) continue;
    movie->levelRoot.reset();  // its definition stays: see LoadedMovie
    movie->level = -1;
  }
}

void Loads::variablesArrived(const Pending& p, bool ok, const std::vector<uint8_t>& bytes) {
  script::Machine& m = scripting_.machine();
  script::Object* target = p.request.target ? p.request.target : levelClip(p.request.level);
  auto* node = dynamic_cast<timeline::SpriteInstance*>(m.nodeOf(target));
  if (!ok || !node) return;
  try {
    script::decodeVariables(m, target, textOf(bytes));
  } catch (const script::ScriptThrow&) {  // a setter threw: the rest is not set
  } catch (const script::ScriptAbort&) {
  }
  if (!m.nodeOf(target)) return;
  scripting_.runClipActions(*node, format::kClipData);
  if (m.nodeOf(target)) m.callHandler(target, "onData");
}

void Loads::dataArrived(const Pending& p, bool ok, const std::vector<uint8_t>& bytes) {
  script::Machine& m = scripting_.machine();
  script::Object* target = p.request.target;
  if (!target) return;
  if (ok) {
    double size = double(bytes.size());
    target->put("(getBytesLoaded)", size, script::kDontEnum);
    target->put("(getBytesTotal)", size, script::kDontEnum);
  }
  m.callHandler(target, "onData", {ok ? script::Value(textOf(bytes)) : script::Value()});
}

bool Loads::takeReplacement(std::vector<uint8_t>& bytes, std::string& address) {
  if (!haveReplacement_) return false;
  haveReplacement_ = false;
  bytes = std::move(replacement_);
  address = std::move(replacementAddress_);
  return true;
}

bool Loads::takeUnloadAll() {
  bool was = unloadAll_;
  unloadAll_ = false;
  return was;
}

bool Loads::takeLevelChanges() {
  if (levelsToUnload_.empty()) return false;
  std::vector<int> levels = std::move(levelsToUnload_);
  levelsToUnload_.clear();
  for (int level : levels) dropLevel(level);
  return true;
}

timeline::SpriteInstance* Loads::levelRoot(int n) const {
  for (const auto& movie : movies_)
    if (movie->level == n && n > 0) return movie->levelRoot.get();
  return nullptr;
}

int Loads::levelOf(const script::DisplayNode* root) const {
  if (!root) return -1;
  for (const auto& movie : movies_)
    if (movie->levelRoot && movie->levelRoot.get() == root) return movie->level;
  return -1;
}

void Loads::addLevelRoots(std::vector<timeline::SpriteInstance*>& out) const {
  std::vector<std::pair<int, timeline::SpriteInstance*>> levels;
  for (const auto& movie : movies_)
    if (movie->levelRoot) levels.emplace_back(movie->level, movie->levelRoot.get());
  std::sort(levels.begin(), levels.end());
  for (const auto& [level, root] : levels) out.push_back(root);
}

bool Loads::progressOf(script::DisplayNode* clip, double& loaded, double& total) const {
  for (const auto& movie : movies_) {
    bool shows = (movie->clip && static_cast<script::DisplayNode*>(movie->clip) == clip) ||
                 (movie->levelRoot && static_cast<script::DisplayNode*>(movie->levelRoot.get()) == clip);
    if (shows) {
      loaded = total = double(movie->bytes);
      return true;
    }
  }
  return false;
}

void Loads::gatherRoots(std::vector<script::Object*>& out) const {
  for (const auto& [id, p] : pending_) {
    if (p.request.target) out.push_back(p.request.target);
    if (p.request.loader) out.push_back(p.request.loader);
  }
}

}  // namespace movie

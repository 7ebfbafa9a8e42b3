#include "movie/loads.h"

#include <algorithm>

#include "movie/address.h"
#include "movie/format/picture_movie.h"
#include "movie/script/builtins.h"
#include "movie/script/clip_object.h"
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

Loads::Loads(Scripting& scripting, timeline::Budget& budget)
    : scripting_(scripting), budget_(budget), imports_(scripting, [this](const std::string& url) {
        return fetchAssets(url);
      }) {}

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

int Loads::fetchAssets(const std::string& url) {
  if (!fetcher_ || pending_.size() >= kMaxPending) return 0;
  script::LoadRequest r;
  r.kind = script::LoadRequest::Kind::Assets;
  r.url = url;
  int id = ++lastId_;
  pending_[id] = Pending{r, url};
  fetcher_->fetch(id, url, false, std::string());
  return id;
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
  if (auto* sprite = dynamic_cast<timeline::SpriteInstance*>(clip)) showInClip(*sprite, nullptr);
}

bool Loads::arrived(int id, bool ok, const std::vector<uint8_t>& bytes) {
  auto it = pending_.find(id);
  if (it == pending_.end()) return false;
  Pending p = std::move(it->second);
  pending_.erase(it);
  if (p.request.kind == script::LoadRequest::Kind::Movie && ok && !replacesMovie(p.request)) {
    arrivedMovies_.push_back({std::move(p), ok, bytes});  // shown at the end of the next frame
    return false;
  }
  scripting_.beginFrame();
  switch (p.request.kind) {
    case script::LoadRequest::Kind::Assets: imports_.arrived(id, ok, bytes); break;  // init actions run below
    case script::LoadRequest::Kind::Movie: movieArrived(p, ok, bytes); break;  // the loader hears at once
    case script::LoadRequest::Kind::Variables: variablesArrived(p, ok, bytes); break;
    case script::LoadRequest::Kind::Data: dataArrived(p, ok, bytes); break;
  }
  scripting_.runQueued();
  return true;
}

bool Loads::deliverMovies() {
  if (arrivedMovies_.empty()) return false;
  std::vector<ArrivedMovie> batch = std::move(arrivedMovies_);
  arrivedMovies_.clear();
  scripting_.beginFrame();
  for (const ArrivedMovie& a : batch) movieArrived(a.pending, a.ok, a.bytes);
  scripting_.runQueued();  // the loaded movies' first frames run before onLoadInit
  // The loaders hear of the last movie first.
  std::vector<LoadInit> inits = std::move(inits_);
  inits_.clear();
  for (auto it = inits.rbegin(); it != inits.rend(); ++it)
    if (scripting_.machine().nodeOf(it->clip)) tellLoader(it->loader, "onLoadInit", {it->clip});
  return true;
}

script::Object* Loads::levelClip(int level) {
  script::DisplayNode* root = level >= 0 ? scripting_.level(level) : nullptr;
  return root ? scripting_.machine().clipObject(root) : nullptr;
}

// The loader's listeners hear through its broadcastMessage, which scripts may replace.
void Loads::tellLoader(script::Object* loader, const char* event, std::vector<script::Value> args) {
  if (!loader) return;
  args.insert(args.begin(), script::Value(event));
  scripting_.machine().callHandler(loader, "broadcastMessage", std::move(args));
}

bool Loads::replacesMovie(const script::LoadRequest& r) {
  if (!r.target) return r.level == 0;
  auto* node = dynamic_cast<timeline::SpriteInstance*>(scripting_.machine().nodeOf(r.target));
  int level = levelOf(node);
  return level == 0 || (node && !node->parentNode() && level < 0);
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
  if (replacesMovie(p.request)) {
    replacement_ = bytes;  // a new movie in place of this one
    replacementAddress_ = p.address;
    haveReplacement_ = true;
    return;
  }
  if (!node && level < 0) return;  // the clip went while its movie was on the way
  if (movies_.size() >= kMaxLoadedMovies) {
    tellLoader(loader, "onLoadError", {target, "LoadNeverCompleted", 0});
    return;
  }
  std::unique_ptr<LoadedMovie> loaded = prepare(bytes, p.address);
  if (!loaded && format::looksLikeMovie(bytes.data(), bytes.size())) {  // a damaged movie
    tellLoader(loader, "onLoadError", {target, "LoadNeverCompleted", 0});
    return;
  }
  double size = loaded ? double(bytes.size()) : 0;  // what is not a movie loads as nothing
  timeline::SpriteInstance* shown = nullptr;
  if (level > 0) shown = loaded ? showInLevel(level, std::move(loaded)) : nullptr;
  else shown = showInClip(*node, std::move(loaded));
  if (!shown) return;
  script::Object* clip = m.clipObject(shown);
  tellLoader(loader, "onLoadStart", {clip});
  tellLoader(loader, "onLoadProgress", {clip, size, size});
  tellLoader(loader, "onLoadComplete", {clip, 0});
  if (loader) inits_.push_back({loader, clip});
}

timeline::SpriteInstance* Loads::showInClip(timeline::SpriteInstance& node, std::unique_ptr<LoadedMovie> loaded) {
  // The clip's script object stays the clip's, its own variables gone with the old movie.
  auto* object = dynamic_cast<script::ClipObject*>(node.scriptObject);
  node.scriptObject = nullptr;
  timeline::SpriteInstance* fresh = loaded ? node.replaceTimeline(loaded->def().root, loaded->def().characters,
                                                                  loaded->budget)
                                           : node.replaceByEmpty();
  if (!fresh) {
    node.scriptObject = object;  // nothing changed
    return nullptr;
  }
  if (object) {
    object->moveTo(fresh);
    object->clearOwn();
  }
  if (loaded) {
    fresh->setFonts(loaded->fonts.get());
    loaded->clip = fresh;
    scripting_.addMovie(loaded->def(), *fresh);
    if (!loaded->picture) imports_.watch(loaded->parser, loaded->address, scripting_.machine().clipObject(fresh));
    movies_.push_back(std::move(loaded));
  }
  fresh->start();
  return fresh;
}

std::unique_ptr<Loads::LoadedMovie> Loads::prepare(const std::vector<uint8_t>& bytes, const std::string& address) {
  auto loaded = std::make_unique<LoadedMovie>();
  loaded->address = address;
  if (format::looksLikePicture(bytes.data(), bytes.size())) {
    if (!preparePicture(*loaded, bytes)) return nullptr;
  } else {
    loaded->parser.append(bytes.data(), bytes.size());
    loaded->parser.finish();
    bool usable = loaded->parser.state() != format::MovieParser::State::Failed && !loaded->def().root.frames.empty();
    if (!usable) return nullptr;
  }
  const format::MovieDef& def = loaded->def();
  loaded->budget.maxNesting = budget_.maxNesting;
  loaded->budget.maxObjects = budget_.maxObjects / 4;
  loaded->budget.events = budget_.events;
  loaded->budget.exports = &def.exports;
  loaded->budget.exportTable = &def.characters;
  loaded->budget.version = def.version;
  loaded->budget.fontsOf = budget_.fontsOf;
  loaded->fonts = std::make_unique<text::FontLibrary>(def.characters, fontService_);
  loaded->bytes = bytes.size();
  return loaded;
}

bool Loads::preparePicture(LoadedMovie& loaded, const std::vector<uint8_t>& bytes) {
  loaded.picture = format::pictureMovie(bytes.data(), bytes.size(), budget_.version);
  if (!loaded.picture) return false;
  const format::Rect& stage = loaded.picture->stage;
  size_t pixels = size_t(stage.xMax / 20) * size_t(stage.yMax / 20);
  if (pixels > kMaxPicturePixels - picturePixels_) {
    loaded.picture.reset();
    return false;
  }
  picturePixels_ += pixels;
  return true;
}

timeline::SpriteInstance* Loads::showInLevel(int level, std::unique_ptr<LoadedMovie> loaded) {
  dropLevel(level);
  std::erase(levelsToUnload_, level);  // unloaded before this movie came
  const format::MovieDef& def = loaded->def();
  loaded->level = level;
  loaded->levelRoot = std::make_unique<timeline::SpriteInstance>(def.root, def.characters, loaded->budget, 0);
  timeline::SpriteInstance* root = loaded->levelRoot.get();
  root->setFonts(loaded->fonts.get());
  if (!loaded->picture) imports_.watch(loaded->parser, loaded->address, scripting_.machine().clipObject(root));
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
  auto requestRoots = [&out](const script::LoadRequest& r) {
    if (r.target) out.push_back(r.target);
    if (r.loader) out.push_back(r.loader);
  };
  for (const auto& [id, p] : pending_) requestRoots(p.request);
  for (const ArrivedMovie& a : arrivedMovies_) requestRoots(a.pending.request);
  for (const LoadInit& init : inits_) out.insert(out.end(), {init.loader, init.clip});
  imports_.gatherRoots(out);
}

}  // namespace movie

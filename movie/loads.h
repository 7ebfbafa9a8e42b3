#pragma once
// What a movie's scripts load while it plays: movies into clips and levels (level 0
// replaces the movie; the others are drawn above it, each with its own root), variables
// into clips, text for LoadVars objects. Requests go to
// the host's Fetcher with addresses resolved against the movie's own; answers come back
// through arrived(), outside any script, and are handed to the clips and objects that
// asked, with the MovieClipLoader's listeners told along the way.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "movie/asset_imports.h"
#include "movie/fetcher.h"
#include "movie/format/movie_parser.h"
#include "movie/script/load_request.h"
#include "movie/script/value.h"
#include "movie/text/font_library.h"
#include "movie/timeline/display_list.h"

namespace movie {

class Scripting;

class Loads {
 public:
  static constexpr size_t kMaxPending = 64;       // fetches open at once
  static constexpr size_t kMaxLoadedMovies = 64;  // movies loaded into clips, kept until reset
  static constexpr size_t kMaxPicturePixels = 64u << 20;  // loaded pictures together

  Loads(Scripting& scripting, timeline::Budget& budget);
  ~Loads();
  Loads(const Loads&) = delete;
  Loads& operator=(const Loads&) = delete;

  void setFetcher(Fetcher* fetcher) { fetcher_ = fetcher; }
  // Device fonts for the loaded movies' text (may be null).
  void setFontService(text::FontService* service) {
    fontService_ = service;
    imports_.setFontService(service);
  }
  void setAddress(const std::string& address) { address_ = address; }
  const std::string& address() const { return address_; }

  // The main movie's imports read so far are asked for (root: the clip showing it).
  void watchImports(format::MovieParser& movie, script::Object* root) { imports_.watch(movie, address_, root); }
  // The fonts of the movie an imported character comes from.
  text::FontLibrary* importedFonts(const format::CharacterTable& characters) const {
    return imports_.fontsOf(characters);
  }
  // From scripts. False when nothing will be fetched (no fetcher, a bad address, too many).
  bool request(const script::LoadRequest& request);
  void unload(script::DisplayNode* clip, int level);
  // From the host: what a fetch brought (ok false: it failed). Returns whether the
  // picture may have changed.
  bool arrived(int id, bool ok, const std::vector<uint8_t>& bytes);
  // Movies that arrived (not failed fetches: their loaders hear at once) are shown at
  // the end of a frame, all together: each replaces its clip or level and its loader
  // hears onLoadStart, onLoadProgress and onLoadComplete; then their first frames run,
  // and the loaders hear onLoadInit, last movie first. Returns whether any was shown.
  bool deliverMovies();
  // A movie loaded into level 0 replaces the whole movie: the player takes its bytes.
  bool takeReplacement(std::vector<uint8_t>& bytes, std::string& address);
  // Level 0 unloaded: the player empties itself.
  bool takeUnloadAll();
  // Levels unloaded by scripts go once the scripts are over; returns whether any went.
  bool takeLevelChanges();

  // The levels above 0: the root showing level n (null: none), the level a root shows
  // (-1: none), and every level's root, lowest first.
  timeline::SpriteInstance* levelRoot(int n) const;
  int levelOf(const script::DisplayNode* root) const;
  void addLevelRoots(std::vector<timeline::SpriteInstance*>& out) const;

  // Bytes of the movie a clip shows, when it was loaded into it.
  bool progressOf(script::DisplayNode* clip, double& loaded, double& total) const;
  void gatherRoots(std::vector<script::Object*>& out) const;

 private:
  struct Pending {
    script::LoadRequest request;
    std::string address;
  };
  struct ArrivedMovie {
    Pending pending;
    bool ok = false;
    std::vector<uint8_t> bytes;
  };
  struct LoadInit {
    script::Object* loader;
    script::Object* clip;
  };
  // Kept until reset, even once no clip shows it: functions its scripts defined run
  // from its bytes.
  struct LoadedMovie {
    format::MovieParser parser;
    std::unique_ptr<format::MovieDef> picture;  // a loaded picture instead of a movie
    const format::MovieDef& def() const { return picture ? *picture : parser.movie(); }
    timeline::Budget budget;
    std::unique_ptr<text::FontLibrary> fonts;
    timeline::SpriteInstance* clip = nullptr;  // where it shows (for its byte counts)
    std::string address;                       // where it came from (its imports are relative to it)
    std::unique_ptr<timeline::SpriteInstance> levelRoot;  // shown in a level instead
    int level = -1;
    size_t bytes = 0;
  };
  // Whether a movie loaded as asked takes the place of the whole movie (level 0).
  bool replacesMovie(const script::LoadRequest& r);
  void movieArrived(const Pending& p, bool ok, const std::vector<uint8_t>& bytes);
  void variablesArrived(const Pending& p, bool ok, const std::vector<uint8_t>& bytes);
  void dataArrived(const Pending& p, bool ok, const std::vector<uint8_t>& bytes);
  void tellLoader(script::Object* loader, const char* event, std::vector<script::Value> args);
  script::Object* levelClip(int level);
  // The movie (or picture) parsed and ready to show, or null when the bytes are neither.
  std::unique_ptr<LoadedMovie> prepare(const std::vector<uint8_t>& bytes, const std::string& address);
  // A movie asked for by an import (0: not fetched).
  int fetchAssets(const std::string& url);
  // Shows the movie in the clip in place of what it showed (null: nothing); the clip
  // keeps its script object. Returns the clip's new instance, or null.
  timeline::SpriteInstance* showInClip(timeline::SpriteInstance& node, std::unique_ptr<LoadedMovie> loaded);
  // A picture's bytes made into a movie, within the pixels loaded pictures may hold.
  bool preparePicture(LoadedMovie& loaded, const std::vector<uint8_t>& bytes);
  timeline::SpriteInstance* showInLevel(int level, std::unique_ptr<LoadedMovie> loaded);
  void dropLevel(int level);

  Scripting& scripting_;
  timeline::Budget& budget_;
  Fetcher* fetcher_ = nullptr;
  text::FontService* fontService_ = nullptr;
  std::vector<int> levelsToUnload_;
  std::string address_;
  int lastId_ = 0;
  std::map<int, Pending> pending_;
  std::vector<ArrivedMovie> arrivedMovies_;
  std::vector<LoadInit> inits_;  // loaders to tell once the first frames have run
  std::vector<std::unique_ptr<LoadedMovie>> movies_;
  size_t picturePixels_ = 0;
  std::vector<uint8_t> replacement_;
  std::string replacementAddress_;
  bool haveReplacement_ = false;
  bool unloadAll_ = false;
  AssetImports imports_;  // last: it asks through fetchAssets
};

}  // namespace movie

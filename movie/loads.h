#pragma once
// What a movie's scripts load while it plays: movies into clips (and level 0, which
// replaces the movie), variables into clips, text for LoadVars objects. Requests go to
// the host's Fetcher with addresses resolved against the movie's own; answers come back
// through arrived(), outside any script, and are handed to the clips and objects that
// asked, with the MovieClipLoader's listeners told along the way.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "movie/fetcher.h"
#include "movie/format/movie_parser.h"
#include "movie/script/load_request.h"
#include "movie/script/value.h"
#include "movie/timeline/display_list.h"

namespace movie {

class Scripting;

class Loads {
 public:
  static constexpr size_t kMaxPending = 64;       // fetches open at once
  static constexpr size_t kMaxLoadedMovies = 64;  // movies loaded into clips, kept until reset

  Loads(Scripting& scripting, timeline::Budget& budget) : scripting_(scripting), budget_(budget) {}
  ~Loads();
  Loads(const Loads&) = delete;
  Loads& operator=(const Loads&) = delete;

  void setFetcher(Fetcher* fetcher) { fetcher_ = fetcher; }
  void setAddress(const std::string& address) { address_ = address; }
  const std::string& address() const { return address_; }

  // From scripts. False when nothing will be fetched (no fetcher, a bad address, too many).
  bool request(const script::LoadRequest& request);
  void unload(script::DisplayNode* clip, int level);
  // From the host: what a fetch brought (ok false: it failed). Returns whether the
  // picture may have changed.
  bool arrived(int id, bool ok, const std::vector<uint8_t>& bytes);
  // A movie loaded into level 0 replaces the whole movie: the player takes its bytes.
  bool takeReplacement(std::vector<uint8_t>& bytes, std::string& address);
  // Level 0 unloaded: the player empties itself.
  bool takeUnloadAll();

  // Bytes of the movie a clip shows, when it was loaded into it.
  bool progressOf(script::DisplayNode* clip, double& loaded, double& total) const;
  void gatherRoots(std::vector<script::Object*>& out) const;

 private:
  struct Pending {
    script::LoadRequest request;
    std::string address;
  };
  struct LoadedMovie {
    format::MovieParser parser;
    timeline::Budget budget;
    timeline::SpriteInstance* clip = nullptr;  // where it shows (for its byte counts)
    size_t bytes = 0;
  };
  void movieArrived(const Pending& p, bool ok, const std::vector<uint8_t>& bytes);
  void variablesArrived(const Pending& p, bool ok, const std::vector<uint8_t>& bytes);
  void dataArrived(const Pending& p, bool ok, const std::vector<uint8_t>& bytes);
  void tellLoader(script::Object* loader, const char* event, std::vector<script::Value> args);
  script::Object* levelClip(int level);

  Scripting& scripting_;
  timeline::Budget& budget_;
  Fetcher* fetcher_ = nullptr;
  std::string address_;
  int lastId_ = 0;
  std::map<int, Pending> pending_;
  std::vector<std::unique_ptr<LoadedMovie>> movies_;
  std::vector<uint8_t> replacement_;
  std::string replacementAddress_;
  bool haveReplacement_ = false;
  bool unloadAll_ = false;
};

}  // namespace movie
